#include "ZFormKeepers.h"

namespace {

TZGridKeeperMaker &gridMaker()
{
    static TZGridKeeperMaker maker;
    return maker;
}

TZSizeKeeperMaker &sizeMaker()
{
    static TZSizeKeeperMaker maker;
    return maker;
}

} // namespace

void SetZGridKeeperMaker(TZGridKeeperMaker maker)
{
    gridMaker() = std::move(maker);
}

void SetZSizeKeeperMaker(TZSizeKeeperMaker maker)
{
    sizeMaker() = std::move(maker);
}

const TZGridKeeperMaker &ZGridKeeperMaker()
{
    return gridMaker();
}

const TZSizeKeeperMaker &ZSizeKeeperMaker()
{
    return sizeMaker();
}
