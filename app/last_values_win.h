// The last-values file "pmv_calc.ini": loaded at start-up, saved at "Close".
#ifndef PMV_APP_LAST_VALUES_WIN_H
#define PMV_APP_LAST_VALUES_WIN_H

void load_last_values();
void save_last_values();

#endif
