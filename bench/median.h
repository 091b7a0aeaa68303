#pragma once

#include <algorithm>
#include <vector>

// The middle of the samples (the mean of the two middle ones for an even count); 0 for none.
inline double median(std::vector<double> samples) {
    if (samples.empty())
        return 0;
    std::ranges::sort(samples);
    const std::size_t mid = samples.size() / 2;
    return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}
