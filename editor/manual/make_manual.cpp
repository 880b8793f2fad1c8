// Writes the user manual "VorraOverDrive.htm": a self-contained page whose texts of names and
// values and whose pictures come from the engine of this build.
//   make_manual <output file>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "editor/manual/measurements.h"
#include "engine/overdrive_engine.h"
#include "engine/parameter_descriptors.h"

namespace {

// What each parameter does to the sound, in parameter order.
constexpr const char* kRoles[kParameterCount] = {
    "Moves the drive stage's input from the full signal (0) to the tone filter's band-pass "
    "part alone (1): higher values drive the middle band and thin out lows and highs.",
    "Sets the tone filter's frequency (it follows Color cubed): where the band that PreBand "
    "picks out lies, from low and dark to high and bright.",
    "The drive: gain 1 + 25 \u00d7 PreAmp\u00b3 into the shapers, or 1 + 2500 \u00d7 "
    "PreAmp\u00b3 with the x 100 switch on.",
    "Multiplies the drive range by 100. In the editor it is the check box beside the "
    "lightning bolt.",
    "Two low-pass stages after the shapers: higher values darken and smooth the sound.",
    "The output gain, PostGain\u00b2. Its display shows PostGain minus 1, so 1.0 reads "
    "0.000000 and 0 reads -1.00000.",
};

// The values a parameter takes and what the host shows for them, by its display rule.
const char* rangeText(ParameterDisplay display) {
  switch (display) {
    case ParameterDisplay::value: return "0 to 1, shown as 0.000000 to 1.000000";
    case ParameterDisplay::onOff: return "ON from 0.5, OFF below";
    case ParameterDisplay::valueMinusOne: return "0 to 1, shown as -1.00000 to 0.000000";
  }
  return "";
}

// A plot area of 520 x 300 pixels inside a 600 x 360 picture.
struct Plot {
  double xMin, xMax, yMin, yMax;
  double x(double v) const { return 60 + 520 * (v - xMin) / (xMax - xMin); }
  double y(double v) const { return 20 + 300 * (yMax - v) / (yMax - yMin); }
};

std::string frame(const Plot& plot, const std::string& xLabel, const std::string& yLabel,
                  const std::vector<double>& xTicks, const std::vector<double>& yTicks,
                  const char* tickFormat) {
  std::ostringstream svg;
  svg << "<svg xmlns='http://www.w3.org/2000/svg' width='600' height='360' "
         "font-family='sans-serif' font-size='11'>"
      << "<rect x='60' y='20' width='520' height='300' fill='#fff' stroke='#444'/>";
  char text[32];
  for (double t : xTicks) {
    std::snprintf(text, sizeof text, tickFormat, t);
    svg << "<line x1='" << plot.x(t) << "' y1='20' x2='" << plot.x(t)
        << "' y2='320' stroke='#ddd'/><text x='" << plot.x(t) << "' y='334' text-anchor='middle'>"
        << text << "</text>";
  }
  for (double t : yTicks) {
    std::snprintf(text, sizeof text, tickFormat, t);
    svg << "<line x1='60' y1='" << plot.y(t) << "' x2='580' y2='" << plot.y(t)
        << "' stroke='#ddd'/><text x='55' y='" << plot.y(t) + 4 << "' text-anchor='end'>" << text
        << "</text>";
  }
  svg << "<text x='320' y='354' text-anchor='middle'>" << xLabel << "</text>"
      << "<text x='14' y='170' text-anchor='middle' transform='rotate(-90 14 170)'>" << yLabel
      << "</text>";
  return svg.str();
}

std::string levelPicture(const std::vector<std::string>& programNames) {
  const Plot plot{0.0, 1.0, 0.0, 1.0};
  std::ostringstream svg;
  svg << frame(plot, "input peak", "output peak", {0, 0.25, 0.5, 0.75, 1}, {0, 0.25, 0.5, 0.75, 1},
               "%.2f");
  const char* colours[] = {"#1f5fbf", "#2f9f2f", "#c0392b"};
  for (int32_t program = 0; program < static_cast<int32_t>(programNames.size()); ++program) {
    svg << "<polyline fill='none' stroke-width='2' stroke='" << colours[program] << "' points='";
    for (const LevelPoint& point : levelCurve(program, 50)) {
      svg << plot.x(point.input) << ',' << plot.y(point.output) << ' ';
    }
    svg << "'/><text x='80' y='" << 40 + 16 * program << "' fill='" << colours[program] << "'>"
        << programNames[program] << "</text>";
  }
  return svg.str() + "</svg>";
}

std::string spectrumPicture(int32_t program, double* sineFrequency) {
  const Plot plot{0.0, 22050.0, -120.0, 0.0};
  std::ostringstream svg;
  svg << frame(plot, "frequency (Hz)", "level (dB)", {0, 5000, 10000, 15000, 20000},
               {0, -20, -40, -60, -80, -100, -120}, "%.0f");
  svg << "<polyline fill='none' stroke='#c0392b' points='";
  for (const SpectrumLine& line : sineSpectrum(program, 0.5f, sineFrequency)) {
    svg << plot.x(line.frequency) << ',' << plot.y(std::max(line.level, -120.0)) << ' ';
  }
  return svg.str() + "'/></svg>";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_manual <output file>\n");
    return 2;
  }
  OverdriveEngine engine;
  std::vector<std::string> names, programNames;
  for (const ParameterDescriptor& parameter : kParameterDescriptors)
    names.push_back(parameter.name);
  std::ostringstream programRows;
  for (int32_t program = 0; program < OverdriveEngine::kProgramCount; ++program) {
    engine.loadProgram(program);
    programNames.push_back(engine.programName(program));
    programRows << "<tr><td>" << programNames.back() << "</td>";
    for (int32_t i = 0; i < kParameterCount; ++i) {
      char text[kDisplaySize];
      formatParameterValue(i, engine.parameter(i), text);
      programRows << "<td>" << text << "</td>";
    }
    programRows << "</tr>\n";
  }
  std::ostringstream controls;
  for (int32_t i = 0; i < kParameterCount; ++i) {
    const ParameterDescriptor& parameter = kParameterDescriptors[i];
    controls << "<tr><td>" << names[i] << "</td><td>" << (parameter.toggle ? "check box" : "slider")
             << "</td><td>" << rangeText(parameter.display) << "</td><td>" << kRoles[i]
             << "</td></tr>\n";
  }
  std::string parameterHeader;
  for (const std::string& name : names) parameterHeader += "<th>" + name + "</th>";
  double sineFrequency = 0.0;
  const std::string spectrum = spectrumPicture(2, &sineFrequency);

  FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::fprintf(stderr, "make_manual: cannot write %s\n", argv[1]);
    return 1;
  }
  std::fprintf(out, R"(<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Vorra OverDrive v1.2</title>
<style>
body{font-family:Verdana,Arial,sans-serif;max-width:46em;margin:2em auto;padding:0 1em;
color:#222;line-height:1.45}
h1{font-size:1.6em}h2{font-size:1.2em;margin-top:1.8em;border-bottom:1px solid #ccc}
table{border-collapse:collapse;margin:.6em 0}td,th{border:1px solid #bbb;padding:.25em .5em;
vertical-align:top;text-align:left}th{background:#eee}
figure{margin:1em 0}figcaption{font-size:.9em;color:#555}
</style></head><body>
<h1>Vorra OverDrive v1.2</h1>
<p>A stereo overdrive effect for hosts that load VST plug-ins. Each channel runs the same
chain: a tone filter, a drive stage, a three-band split whose bands are each shaped by a sine
curve, an output gain and a two-stage low-pass. Drive, band mix, output gain and tone glide to
new settings over about 4000 samples, so moving a control never clicks.</p>

<h2>Installing</h2>
<p>Copy the plug-in file (<code>Vorra OverDrive.dll</code>, or <code>Vorra OverDrive.so</code>
on Linux) into a folder your host scans for VST plug-ins, and keep this page beside it: the
editor's <b>Docs...</b> button opens <code>VorraOverDrive.htm</code> from the plug-in's own
folder.</p>

<h2>Controls</h2>
<p>In the editor, each slider's top end is 1 and its bottom end 0. Hosts show the same six
parameters with the names and display texts below.</p>
<table><tr><th>Name</th><th>Editor</th><th>Range and display</th><th>What it does</th></tr>
%s</table>

<h2>The x 100 switch</h2>
<p>The check box sends 0.66 when checked and 0.3 when cleared. It shows checked, and the host's
display reads "ON", from 0.5 on; the engine multiplies the drive by 100 only above 0.5. So at
exactly 0.5, which is the value the "Boost" program stores, the box is checked and the display
reads "ON" while the lower gain is in use.</p>

<h2>Programs</h2>
<table><tr><th>Program</th>%s</tr>
%s</table>
<p>Switching programs discards unsaved changes to the controls. Programs can be renamed; the
plug-in stores nothing on disk.</p>

<h2>Signal chain</h2>
<ol>
<li>Tone filter (state-variable), frequency set by Color; its band-pass part is mixed against
its low-pass plus high-pass parts as PreBand sets.</li>
<li>Drive: gain 1 + 25 &times; PreAmp&sup3; (1 + 2500 &times; PreAmp&sup3; with x 100).</li>
<li>Split filter (state-variable, fixed): low, band and high parts.</li>
<li>Sine shaper on each part, the three parts summed.</li>
<li>Output gain PostGain&sup2;, then a clamp just inside &plusmn;1.</li>
<li>Two cascaded one-pole low-pass stages set by PostFilter.</li>
</ol>
<p>The plug-in reports the largest output value of each block as its meter.</p>

<h2>Pictures</h2>
<p>Both pictures were measured on this build's own engine when it was built.</p>
<figure>%s
<figcaption>Output peak against input peak for a 1 kHz sine, for each program, after the
smoothers settled.</figcaption></figure>
<figure>%s
<figcaption>Spectrum of a %.1f Hz sine of peak 0.5 through "%s" (Hann window, 4096 samples at
44.1 kHz), relative to the strongest line.</figcaption></figure>

<h2>Editor</h2>
<p>The editor window exists in the Windows plug-in files; Linux hosts show their own controls
for the six parameters. <b>Docs...</b> opens this page, and the <b>TONQUILL</b> button opens
the maker's web site.</p>
</body></html>
)",
               controls.str().c_str(), parameterHeader.c_str(), programRows.str().c_str(),
               levelPicture(programNames).c_str(), spectrum.c_str(), sineFrequency,
               programNames[2].c_str());
  return std::fclose(out) == 0 ? 0 : 1;
}
