// Module-wide state shared by every instance in one loaded library.
#pragma once

// The library's module handle (an HINSTANCE on Windows), stored when the platform loads the
// library; the editor finds its dialog template and its own file name through it.
extern void* moduleHandle;
