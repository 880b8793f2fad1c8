// A test plug-in with LAYOUT_INPUTS inputs and LAYOUT_OUTPUTS outputs, built once per layout.
// Output k is (k + 1) x input (k mod inputs) + 0.25 x input (k + 1 mod inputs), so every
// output says which inputs reached it; without inputs, every output is a constant 0.5. Its two
// parameters have texts longer than the interface allows, and its flags include a bit that
// has no name.
#include <cstring>

#include "vst2/aeffect.h"

namespace {

intptr_t dispatch(AEffect* effect, int32_t opcode, int32_t index, intptr_t, void* ptr, float) {
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effClose: delete effect; break;
    case effGetParamName: std::strcpy(text, index == 0 ? "Level" : "Width of the image"); break;
    case effGetParamDisplay: std::strcpy(text, index == 0 ? "1" : "as wide as it gets"); break;
    case effGetParamLabel: std::strcpy(text, index == 0 ? "" : "degrees of arc"); break;
  }
  return 0;
}

void processReplacing(AEffect*, float** inputs, float** outputs, int32_t frames) {
  for (int k = 0; k < LAYOUT_OUTPUTS; ++k) {
    for (int32_t i = 0; i < frames; ++i) {
      outputs[k][i] = LAYOUT_INPUTS == 0 ? 0.5f
                                         : (k + 1) * inputs[k % LAYOUT_INPUTS][i] +
                                               0.25f * inputs[(k + 1) % LAYOUT_INPUTS][i];
    }
  }
}

float getParameter(AEffect*, int32_t) { return 0.0f; }
void setParameter(AEffect*, int32_t, float) {}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
  auto* r = new AEffect{};
  r->magic = kEffectMagic;
  r->dispatcher = dispatch;
  r->processReplacing = processReplacing;
  r->setParameter = setParameter;
  r->getParameter = getParameter;
  r->numInputs = LAYOUT_INPUTS;
  r->numOutputs = LAYOUT_OUTPUTS;
  r->numParams = 2;
  r->flags = effFlagsCanReplacing | (1 << 8) | (1 << 20);
  return r;
}
