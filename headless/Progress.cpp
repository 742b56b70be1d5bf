#include "headless/Progress.h"

#include <cstdio>

std::optional<std::string> ProgressMeter::After(int done, int total, double nowSeconds)
{
    if (nowSeconds - lastLineSeconds < 1.0)
        return std::nullopt;
    lastLineSeconds = nowSeconds;
    const double elapsed = nowSeconds - startSeconds;
    char line[96];
    std::snprintf(line, sizeof line, "frame %d/%d, %.1f fps", done, total, elapsed > 0.0 ? done / elapsed : 0.0);
    return std::string(line);
}
