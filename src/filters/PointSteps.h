#pragma once

#include "filters/Convolution3x3.h"
#include "filters/ToneRuns.h"

#include <functional>
#include <utility>
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
    // A look that makes every row afresh from what it has already read (the
    // photo strip): each row is made before the steps. It replaces what was
    // held, which no row would show.
    void MakeRows(Convolution3x3::RowStep maker);
    bool Empty() const { return _steps.empty() && !_maker; }
    // What is held, leaving nothing.
    PointSteps Take() { return std::exchange(*this, PointSteps()); }
    // Whether rows are made: then only whole rows of the picture, not runs, may
    // go through the steps.
    bool MakesRows() const { return static_cast<bool>(_maker); }
    // Every step in turn, over runs short enough to stay in the first-level cache.
    void operator()(const ColourRun& run) const;
    // The rows made, then the steps, on each row of a picture w wide, then after
    // on it (any may be empty).
    Convolution3x3::RowStep Before(int32_t w, const Convolution3x3::RowStep& after) const;
    // The same over the whole of the front planes (in two bands on a large
    // picture); nothing is left held.
    void Flush(QuorelImage& image);

private:
    std::vector<Step> _steps;
    Convolution3x3::RowStep _maker;
};
