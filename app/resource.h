// Identifiers shared by res/pmv_calc.rc and the C++ code: one list, so the
// template and the dialog procedure cannot disagree about a control.
#ifndef PMV_APP_RESOURCE_H
#define PMV_APP_RESOURCE_H

// 1: dialogs
#define IDD_CALCULATOR 101

// 2: controls of IDD_CALCULATOR, in tab order of the template
#define IDC_CLOSE 1000
#define IDC_INPUT_GROUP 1001
#define IDC_MET 1002
#define IDC_CLO 1003
#define IDC_TA 1004
#define IDC_TR 1005
#define IDC_VEL 1006
#define IDC_RH 1007
#define IDC_LABEL_MET 1008
#define IDC_LABEL_CLO 1009
#define IDC_LABEL_TA 1010
#define IDC_LABEL_TR 1011
#define IDC_LABEL_VEL 1012
#define IDC_LABEL_RH 1013
#define IDC_RESULT_GROUP 1014
#define IDC_PMV 1015
#define IDC_PPD 1016
#define IDC_LABEL_PMV 1017
#define IDC_LABEL_PPD 1018
#define IDC_EXECUTE_GROUP 1019
#define IDC_EXECUTE 1020

// 3: version and manifest resources
#define IDR_VERSION 1

#endif
