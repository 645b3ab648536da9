#include "skin/draw/SkinObjects.h"

#include <utility>

namespace skin {

TDataSkinObject::TDataSkinObject(std::string name)
    : Image(std::make_unique<ui::TBitmap>()), Name(std::move(name))
{
}

TDataSkinObject::~TDataSkinObject() = default;

bool HasPicture(const TDataSkinObject* element)
{
    return element && element->Image && !element->Image->Empty();
}

} // namespace skin
