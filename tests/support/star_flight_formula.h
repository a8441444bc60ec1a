#pragma once

#include "music/random_source.h"

#include <cmath>
#include <set>
#include <utility>
#include <vector>

// The star field worked out from its rules without the program's code: stars
// placed from successive draws (x from 501 values round 0, y from 361, redrawn
// while either is 0; star i at depth i + 1), brought 3 closer per frame with a
// depth that wraps from 1..500, projected through 128 onto the centre (250, 180)
// with the quotient rounded toward zero.
struct StarFormula {
    struct Placed {
        int x, y, z;
    };
    std::vector<Placed> stars;

    explicit StarFormula(RandomSource& random)
    {
        for (int i = 0; i < 500; ++i) {
            int x = 0, y = 0;
            while (x == 0 || y == 0) {
                x = random.Random(501) - 250;
                y = random.Random(361) - 180;
            }
            stars.push_back({x, y, i + 1});
        }
    }

    static int depthAfter(int z, int frames)
    {
        for (int f = 0; f < frames; ++f) {
            z -= 3;
            if (z <= 0)
                z += 500;
        }
        return z;
    }

    // Where star i is drawn in frame `frames` (1 = the first frame).
    std::pair<int, int> pixel(std::size_t i, int frames) const
    {
        const double z = depthAfter(stars[i].z, frames);
        return {int(std::trunc(stars[i].x * 128.0 / z)) + 250,
                int(std::trunc(stars[i].y * 128.0 / z)) + 180};
    }

    std::set<std::pair<int, int>> pixels(int frames) const
    {
        std::set<std::pair<int, int>> all;
        for (std::size_t i = 0; i < stars.size(); ++i)
            all.insert(pixel(i, frames));
        return all;
    }
};
