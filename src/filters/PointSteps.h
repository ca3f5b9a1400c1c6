#pragma once

#include "filters/Convolution3x3.h"
#include "filters/ToneRuns.h"

#include <functional>
#include <vector>

class QuorelImage;

// Looks that set each pixel from its own colour alone, held back so that the
// next look that reads the rows does them on each row as it reads it (or they
// go in one pass of their own): the values are those of a pass per look, for
// one trip through memory instead of one per look.
class PointSteps {
public:
    using Step = std::function<void(const ColourRun&)>;

    void Add(Step step) { _steps.push_back(std::move(step)); }
    bool Empty() const { return _steps.empty(); }
    // Every step in turn, over runs short enough to stay in the first-level cache.
    void operator()(const ColourRun& run) const;
    // The steps on each row of a picture w wide, then after on it (either may be
    // empty).
    Convolution3x3::RowStep Before(int32_t w, const Convolution3x3::RowStep& after) const;
    // The steps over the whole of the front planes (in two bands on a large
    // picture); none are left.
    void Flush(QuorelImage& image);

private:
    std::vector<Step> _steps;
};
