// Base class of editors: ties an editor to its effect and carries the update flag through which
// the effect asks the editor to show new values. The refresh itself happens on `idle`.
#pragma once

#include <atomic>
#include <cstdint>

class EffectBase;

// The rectangle through which an editor reports its size to the host.
struct ERect {
  int16_t top;
  int16_t left;
  int16_t bottom;
  int16_t right;
};

class EditorBase {
 public:
  explicit EditorBase(EffectBase* effect);
  virtual ~EditorBase();

  virtual intptr_t getRect(ERect** rect);
  virtual intptr_t open(void* parent);
  virtual void close();
  virtual void idle();
  virtual void update();
  // May run on any thread that sets parameters; the editor's thread polls the flag.
  virtual void postUpdate();

  EffectBase* effect;
  void* parentWindow = nullptr;
  // Raised with release after the parameter was stored and taken with acquire before the
  // refresh reads the parameters, so a refresh that takes the flag shows that change.
  std::atomic<int32_t> updatePending{0};
};
