#pragma once

#include "filters/Convolution3x3.h"
#include "filters/ToneRuns.h"

#include <functional>
#include <utility>
#include <vector>

class QuorelImage;

// Looks that set each pixel from its own colour (or a row from its place)
// alone, held back so that the next look that reads the rows does them on each
// row as it reads it (or they go in one pass of their own): the values are
// those of a pass per look, for one trip through memory instead of one per look.
class PointSteps {
public:
    using Step = std::function<void(const ColourRun&)>;

    // A step on any run of pixels.
    void Add(Step step) { _steps.push_back({std::move(step), nullptr}); }
    // A step on whole rows of the picture, by their place (the frames).
    void AddRows(Convolution3x3::RowStep step) { _steps.push_back({nullptr, std::move(step)}); }
    // A look that makes every row afresh from what it has already read (the
    // photo strip). It replaces what was held, which no row would show.
    void MakeRows(Convolution3x3::RowStep maker);
    bool Empty() const { return _steps.empty(); }
    // Whether a step needs whole rows of the picture: then runs may not go
    // through the steps.
    bool ByRowsOnly() const;
    // What is held, leaving nothing.
    PointSteps Take() { return std::exchange(*this, PointSteps()); }
    // Every step (all on runs) in turn, over runs short enough to stay in the
    // first-level cache.
    void operator()(const ColourRun& run) const;
    // The steps on each row of a picture w wide, then after on it (either may be
    // empty).
    Convolution3x3::RowStep Before(int32_t w, const Convolution3x3::RowStep& after) const;
    // The same over the whole of the front planes (in two bands on a large
    // picture); nothing is left held.
    void Flush(QuorelImage& image);
    // Only on rows k * every for k < count, for a look that reads no others
    // and then makes every row afresh; nothing is left held.
    void FlushRows(QuorelImage& image, int32_t every, int32_t count);

private:
    struct Held {
        Step run;
        Convolution3x3::RowStep row;
    };
    std::vector<Held> _steps;
};
