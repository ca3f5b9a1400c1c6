#include "render/MoreLooks.h"

#include "filters/Filters.h"

#include <algorithm>
#include <cstring>

namespace {

void SoftBlur(QuorelImage* image) {
    Filters::GaussBlur(image, MoreLooks::kSoftBlurRadius);
}

} // namespace

const std::array<MoreLook, MoreLooks::kCount>& MoreLooks::Rows() {
    static const std::array<MoreLook, kCount> rows{{
        {"Warmer", "warmer", &Filters::IncreaseHotColors},
        {"Colder", "colder", &Filters::IncreaseColdColors},
        {"Brighter", "brighter", &Filters::IncreaseExposureX2},
        {"Darker", "darker", &Filters::DecreaseExposureX2},
        {"Grain", "grain", &Filters::Noise},
        {"Yellowed", "yellowed", &Filters::Vergilben},
        {"Old photo", "oldphoto", &Filters::OldTimeFilter},
        {"Pop art 1", "popart1", &Filters::PopArtPoster},
        {"Photomat 1", "photomat1", &Filters::Photomat_old},
        {"Blur", "blur", &Filters::Blur},
        {"Soft blur", "gaussblur", &SoftBlur},
        {"Neon", "neon", &Filters::NeonLight},
        {"Glass", "glass", &Filters::GlassButton},
        {"Relief", "relief", &Filters::ReliefImage},
    }};
    return rows;
}

int MoreLooks::Index(const char* key) {
    const auto& rows = Rows();
    const auto found = std::find_if(rows.begin(), rows.end(), [key](const MoreLook& row) {
        return key != nullptr && std::strcmp(row.key, key) == 0;
    });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

void MoreLooks::Apply(size_t row, QuorelImage* image) {
    Rows()[row].apply(image);
}
