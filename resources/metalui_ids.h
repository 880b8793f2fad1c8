/* Identifiers shared by the dialog template "METALUI" and the editor code that drives it.
   Plain macros, because the resource compiler reads this file too. */
#pragma once

#define IDC_PREBAND_SLIDER 666
#define IDC_COLOR_SLIDER 667
#define IDC_PREAMP_SLIDER 668
#define IDC_POSTFILTER_SLIDER 669
#define IDC_POSTGAIN_SLIDER 670
#define IDC_X100_CHECKBOX 6660
#define IDC_DOCS_BUTTON 6666
#define IDC_WEB_BUTTON 7777

#define IDI_KNOB 102
#define IDI_FLAME 103
#define IDI_BOLT 104

/* The maker's site: the web button opens it and the promotional text shows it. */
#define WEB_SITE_ADDRESS "http://www.tonquill.example"
