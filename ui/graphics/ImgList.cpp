#include "ui/graphics/ImgList.h"

#include <cstring>

#include "ui/core/FormReader.h"

namespace ui {

namespace {

// A copy of the bitmap's pixels in a DIB section of its own: the image list
// selects what it is given into a context of its own, which a bitmap already
// selected for its canvas cannot be, and masking changes the pixels it gets.
TBitmapHandle DibCopy(const TBitmap& bitmap)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bitmap.Width();
    info.bmiHeader.biHeight = bitmap.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitmap.BytesPerPixel() * 8);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TBitmapHandle copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy || !bits)
        throw Exception("Not enough memory for a copy of a bitmap");
    const std::size_t stride = DibStride(bitmap.Width(), bitmap.BytesPerPixel());
    for (int y = 0; y < bitmap.Height(); ++y)  // rows bottom-up in both
        std::memcpy(static_cast<std::uint8_t*>(bits) + stride * static_cast<std::size_t>(bitmap.Height() - 1 - y),
                    bitmap.ScanLine(y), stride);
    GdiFlush();
    return copy;
}

void CheckAdded(int index)
{
    if (index < 0)
        throw Exception("Cannot add the picture to the image list");
}

} // namespace

const TClassInfo& TImageList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TImageList>("TImageList", &TComponent::StaticClass())
                                       .Int("Width", &TImageList::Width, &TImageList::SetWidth)
                                       .Int("Height", &TImageList::Height, &TImageList::SetHeight)
                                       .Int("MaskColor", &TImageList::MaskColor, &TImageList::SetMaskColor,
                                            ColorIdents)
                                       .Creatable()
                                       .Done();
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner)
{
    Recreate();
}

TImageList::~TImageList()
{
    ImageList_Destroy(handle_);
}

void TImageList::Recreate()
{
    HIMAGELIST list = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (!list)
        throw Exception("Cannot create an image list of " + std::to_string(width_) + " x " +
                        std::to_string(height_));
    if (handle_)
        ImageList_Destroy(handle_);
    handle_ = list;
}

void TImageList::SetWidth(int width)
{
    if (width < 1)
        throw EPropertyError("An image list's Width must be positive");
    if (width == width_)
        return;
    width_ = width;
    Recreate();
}

void TImageList::SetHeight(int height)
{
    if (height < 1)
        throw EPropertyError("An image list's Height must be positive");
    if (height == height_)
        return;
    height_ = height;
    Recreate();
}

int TImageList::Count() const
{
    return ImageList_GetImageCount(handle_);
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask)
{
    const int first = Count();
    TBitmapHandle picture = DibCopy(image);
    TBitmapHandle maskCopy = mask ? DibCopy(*mask) : TBitmapHandle();
    CheckAdded(ImageList_Add(handle_, picture.Get(), maskCopy.Get()));
    return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor)
{
    const int first = Count();
    TBitmapHandle picture = DibCopy(image);
    CheckAdded(ImageList_AddMasked(handle_, picture.Get(), ColorToRGB(maskColor)));
    return first;
}

void TImageList::Delete(int index)
{
    ImageList_Remove(handle_, index);
}

void TImageList::Clear()
{
    ImageList_Remove(handle_, -1);
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    HDC dc = canvas->Handle();
    if (enabled) {
        ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    HICON icon = ImageList_GetIcon(handle_, index, ILD_TRANSPARENT);
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, width_, height_,
               DST_ICON | DSS_DISABLED);
    DestroyIcon(icon);
}

bool TImageList::ReadDefinedProperty(const std::string& name, const TFormValue& value)
{
    if (!SameText(name, "Bitmap"))
        return TComponent::ReadDefinedProperty(name, value);
    TBitmap strip;
    strip.ReadDefinedProperty("Data", value);
    if (strip.Width() % width_ != 0 || strip.Height() != height_)
        throw EReadError("Form data, line " + std::to_string(value.Line) + ": the pictures of an image list are " +
                         std::to_string(width_) + " x " + std::to_string(height_) + ", side by side");
    AddMasked(strip, maskColor_);
    return true;
}

} // namespace ui
