#pragma once
#include <optional>
#include <string>

// Progress lines for long runs, at most one a second: "frame i/N, x fps".
class ProgressMeter {
    double startSeconds;
    double lastLineSeconds;

public:
    explicit ProgressMeter(double nowSeconds) : startSeconds(nowSeconds), lastLineSeconds(nowSeconds) {}
    // Called after `done` of `total` frames; a line when one is due.
    std::optional<std::string> After(int done, int total, double nowSeconds);
};
