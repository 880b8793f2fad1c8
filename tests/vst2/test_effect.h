// A small effect derived from EffectBase that records which operations the host reached.
#pragma once

#include <string>
#include <vector>

#include "vst2/editor_base.h"
#include "vst2/effect_base.h"

class TestEffect : public EffectBase {
 public:
  explicit TestEffect(audioMasterCallback host, int32_t programs = 3, int32_t params = 6)
      : EffectBase(host, programs, params) {}
  ~TestEffect() override {
    ++*destroyed;
    if (closedFirst) *closedFirst = !calls.empty() && calls.back() == "close";
  }

  void setParameter(int32_t index, float value) override {
    calls.push_back("setParameter " + std::to_string(index) + " " + std::to_string(value));
  }
  void process(float**, float**, int32_t frames) override {
    calls.push_back("process " + std::to_string(frames));
  }
  void processReplacing(float**, float**, int32_t frames) override {
    calls.push_back("processReplacing " + std::to_string(frames));
  }
  void open() override { calls.push_back("open"); }
  void close() override { calls.push_back("close"); }
  void setProgram(int32_t program) override {
    calls.push_back("setProgram " + std::to_string(program));
    EffectBase::setProgram(program);
  }
  float getVu() override { return vu; }
  int32_t getChunk(void**, bool isPreset) override {
    calls.push_back(std::string("getChunk ") + (isPreset ? "preset" : "bank"));
    return 0;
  }
  int32_t setChunk(void*, int32_t size, bool isPreset) override {
    calls.push_back("setChunk " + std::to_string(size) + (isPreset ? " preset" : " bank"));
    return 0;
  }
  void suspend() override { calls.push_back("suspend"); }
  void resume() override { calls.push_back("resume"); }

  std::vector<std::string> calls;
  float vu = 0.0f;
  int* destroyed = &ownDestroyed;
  bool* closedFirst = nullptr;  // set on destruction: was `close` the last call?

 private:
  int ownDestroyed = 0;
};

// An editor that records its calls and answers what the test sets.
class TestEditor : public EditorBase {
 public:
  explicit TestEditor(EffectBase* effect) : EditorBase(effect) { effect->editor = this; }
  ~TestEditor() override { ++*destroyed; }

  intptr_t getRect(ERect** rect) override {
    *rect = &rect_;
    return 1;
  }
  intptr_t open(void* parent) override {
    EditorBase::open(parent);
    return openAnswer;
  }
  void close() override { ++closes; }
  void update() override { ++updates; }

  ERect rect_{0, 0, 302, 365};
  intptr_t openAnswer = 1;
  int closes = 0;
  int updates = 0;
  int* destroyed = &ownDestroyed;

 private:
  int ownDestroyed = 0;
};
