// A pause in the derivation of the coefficients, after it read the parameter values and before it
// stores what it derived: the moment another thread's change can race it. Null in the plug-in;
// a test sets it to hold one thread there while another changes a parameter.
#pragma once

extern void (*coefficientPause)();
