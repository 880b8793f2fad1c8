// The line printed after a render.
#pragma once

#include <string>

#include "tools/render/render_loop.h"

// "-6.02 dBFS"; silence is "-inf dBFS".
std::string formatDbfs(float peak);

// "<output>: <frames> frames, <s> s, pre-roll <frames> frames (<s> s), <x>x real time, peak in
// <dBFS>, out <dBFS>", with "no pre-roll" when none ran. The speed counts the file's frames only.
std::string summaryLine(const std::string& output, const RenderStats& stats, double sampleRate,
                        double elapsedSeconds);
