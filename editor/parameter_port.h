// What the editor's controls talk to: the parameters of whichever format hosts the window. The
// window reads values, changes them within a user's gesture, and asks whether anything changed
// since it last looked; it knows nothing else of its host.
#pragma once

#include <cstdint>

class ParameterPort {
 public:
  virtual ~ParameterPort() = default;

  virtual float parameterValue(int32_t index) = 0;
  // A user's gesture on one parameter: begin, any number of values, end. A drag is one gesture,
  // as is a click, a key press or a wheel turn. Values come on the window's thread.
  virtual void beginGesture(int32_t index) = 0;
  virtual void setFromGesture(int32_t index, float value) = 0;
  virtual void endGesture(int32_t index) = 0;
  // True when any value may have changed since the last call (whoever changed it), which the
  // window answers with one refresh of every control. Taking the news clears it.
  virtual bool takeChanges() = 0;
};
