// The one comfort case the calculator works on, and the per-field facts
// (control, range, decimals, file keys) that the dialog, the last-values
// file and the report share, so that none of them keeps its own copy.
#ifndef PMV_APP_COMFORT_CASE_H
#define PMV_APP_COMFORT_CASE_H

// Field order is the record's layout; readers rely on it.
struct ComfortCase {
  double ta;  // air temperature, °C
  double rh;  // relative humidity, %
  double met; // metabolic rate, met
  double clo; // clothing insulation, clo
  double tr;  // mean radiant temperature, °C
  double vel; // air velocity, m/s
  double pmv; // predicted mean vote, dimensionless
  double ppd; // predicted percentage of dissatisfied, %
};

// All zeros until the last values are loaded at start-up.
extern ComfortCase comfort;

struct CaseField {
  int control_id;
  int label_id; // its label, whose text is also the field's accessible name
  double ComfortCase::*member;
  double minimum; // inclusive; unused for results
  double maximum; // inclusive; unused for results
  int decimals;   // shown in the dialog
  const char *report_format;
  const char *ini_key;
  const char *ini_default;
  int ini_place; // the key's place in the last-values file, which keeps its own order
};

// Dialog order: met, clo, ta, tr, vel, rh, pmv, ppd. The report prints the
// fields in this order too.
constexpr int case_field_count = 8;
constexpr int case_input_count = 6;
extern const CaseField case_fields[case_field_count];

// The index into case_fields of the field whose key the last-values file
// holds at `place` (0 to case_field_count - 1).
int ini_field_at(int place);

#endif
