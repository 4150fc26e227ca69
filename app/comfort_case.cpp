#include "app/comfort_case.h"

#include "app/resource.h"

ComfortCase comfort;

// Limits are the nearest doubles to the decimal constants; a typed "0.8"
// therefore lands exactly on the minimum of the metabolic rate. The file's
// keys run Tr (the air temperature!), RH, v, met, clo, mrt, pmv, ppd.
const CaseField case_fields[case_field_count] = {
    {IDC_MET, IDC_LABEL_MET, &ComfortCase::met, 0.8, 4.0, 1, "Metabolic rate\t%0.2lf\t[met]", "met",
     "1.0", 3},
    {IDC_CLO, IDC_LABEL_CLO, &ComfortCase::clo, 0.0, 2.0, 1, "Clothing\t%0.2lf\t[clo]", "clo",
     "1.0", 4},
    {IDC_TA, IDC_LABEL_TA, &ComfortCase::ta, 10.0, 30.0, 1,
     "Air temperature\t%0.2lf\t[\xB0"
     "C]",
     "Tr", "24.5", 0},
    {IDC_TR, IDC_LABEL_TR, &ComfortCase::tr, 10.0, 40.0, 1,
     "Mean radiant temperature\t%0.2lf\t[\xB0"
     "C]",
     "mrt", "24.5", 5},
    {IDC_VEL, IDC_LABEL_VEL, &ComfortCase::vel, 0.0, 1.0, 2, "Air velocity\t%0.2lf\t[m/s]", "v",
     "0.08", 2},
    {IDC_RH, IDC_LABEL_RH, &ComfortCase::rh, 1.0, 100.0, 1, "Relative humidity\t%0.2lf\t[percent]",
     "RH", "50", 1},
    {IDC_PMV, IDC_LABEL_PMV, &ComfortCase::pmv, 0.0, 0.0, 2, "PMV\t%0.2lf\t[]", "pmv", "0.0", 6},
    {IDC_PPD, IDC_LABEL_PPD, &ComfortCase::ppd, 0.0, 0.0, 1, "PPD\t%0.2lf\t[percent]", "ppd",
     "95.0", 7},
};

// A place without a field would give the last row: never an index outside
// the table.
int ini_field_at(int place) {
  int field = 0;
  while (field + 1 < case_field_count && case_fields[field].ini_place != place)
    ++field;
  return field;
}
