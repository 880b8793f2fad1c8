// How much larger the editor is drawn on a high-resolution screen: GDK_SCALE when it holds a
// whole number from 1 on, else the X resource Xft.dpi over 96, else 1; never below 1 nor
// above 4.
#pragma once

// gdkScale: the variable's text or nullptr; resources: the root window's RESOURCE_MANAGER
// text or nullptr.
double displayScale(const char* gdkScale, const char* resources);

// A scale a host asked for, kept within the same bounds (NaN gives 1).
double boundedScale(double scale);
