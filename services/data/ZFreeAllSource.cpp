#include "ZFreeAllSource.h"

#include "data/TCurrInfo.h"
#include "data/TDBConn.h"
#include "data/TParamInfo.h"

#include <map>

namespace {

std::multimap<int, std::function<void()>> &steps()
{
    static std::multimap<int, std::function<void()>> added;
    return added;
}

} // namespace

void FreeAllSource()
{
    std::multimap<int, std::function<void()>> all = steps();
    all.emplace(10, [] { FreeDBConn(); });
    all.emplace(30, [] { FreeCurrInfo(); });
    all.emplace(40, [] { FreeParamInfo(); });
    for (const auto &[place, step] : all)
        step();
}

void ZAddFreeAllSourceStep(TZFreeStep place, std::function<void()> step)
{
    steps().emplace(int(place), std::move(step));
}
