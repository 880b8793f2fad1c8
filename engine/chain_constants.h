// Constants of the per-sample chain. The single-precision ones are widened where they enter the
// double arithmetic, exactly as the chain defines them.
#pragma once

constexpr double kSmoothing = 0.99975f;  // each smoother: s <- s x k + feed
constexpr double kSplitCoefficient = 0.25;
constexpr double kOutputBound = 0.99995f;  // the clamp before the post filter
// The largest magnitude a final value reaches: the clamp bound, lifted by the post filter's
// rounding. What a host may check every output against.
constexpr double kFinalValueBound = 1.0001;
