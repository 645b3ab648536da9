// TBitmap: a DIB section whose pixels are reachable both through GDI (its
// canvas) and directly (ScanLine), read from and written to BMP data.
#include "ui/graphics/Graphics.h"

#include <algorithm>
#include <cstring>

#include "ui/core/FormReader.h"

namespace ui {

namespace {

struct TDib {
    TBitmapHandle Handle;
    std::uint8_t* Bits = nullptr;
};

// A zero-filled bottom-up DIB section; none for an empty size.
TDib CreateDib(int width, int height, TPixelFormat format)
{
    if (width < 0 || height < 0)
        throw EInvalidGraphic("Invalid bitmap size " + std::to_string(width) + " x " + std::to_string(height));
    if (width == 0 || height == 0)
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up rows, as in BMP files
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = format == TPixelFormat::pf32bit ? 32 : 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TDib dib{TBitmapHandle(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)),
             static_cast<std::uint8_t*>(bits)};
    if (!dib.Handle || !dib.Bits)
        throw Exception("Not enough memory for a bitmap of " + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels");
    return dib;
}

} // namespace

const TClassInfo& TBitmap::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBitmap>("TBitmap", &TGraphicsObject::StaticClass())
            .Bool("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent)
            .Int("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor, ColorIdents)
            .Done();
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format)
{
    TDib dib = CreateDib(width, height, format);
    Adopt(std::move(dib.Handle), dib.Bits, width, height, format);
}

TBitmap::~TBitmap()
{
    canvas_.reset();
    if (dc_)
        SelectObject(dc_->Get(), oldBitmap_);  // the DIB leaves the context before both go
}

void TBitmap::Adopt(TBitmapHandle handle, std::uint8_t* bits, int width, int height, TPixelFormat format)
{
    if (dc_)
        SelectObject(dc_->Get(), handle ? handle.Get() : oldBitmap_);
    handle_ = std::move(handle);  // the old DIB is no longer selected: deleted here
    bits_ = bits;
    width_ = handle_ ? width : 0;
    height_ = handle_ ? height : 0;
    format_ = format;
    Changed();
}

namespace {

// Copies the top-left pixels two bitmaps have in common, converting between
// 24 and 32 bits (a widened pixel gets alpha 0, as GDI writes it).
void CopyCommonPixels(const TBitmap& from, std::uint8_t* to, int width, int height, TPixelFormat format)
{
    if (!to)
        return;
    const int toBpp = format == TPixelFormat::pf32bit ? 4 : 3;
    const int fromBpp = from.BytesPerPixel();
    const int rows = std::min(height, from.Height());
    const int columns = std::min(width, from.Width());
    const std::size_t stride = DibStride(width, toBpp);
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* src = from.ScanLine(y);
        std::uint8_t* dest = to + static_cast<std::size_t>(height - 1 - y) * stride;
        if (fromBpp == toBpp) {
            std::memcpy(dest, src, static_cast<std::size_t>(columns) * toBpp);
            continue;
        }
        for (int x = 0; x < columns; ++x)
            std::memcpy(dest + x * toBpp, src + x * fromBpp, 3);
    }
}

} // namespace

void TBitmap::SetSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    TDib dib = CreateDib(width, height, format_);
    CopyCommonPixels(*this, dib.Bits, width, height, format_);
    Adopt(std::move(dib.Handle), dib.Bits, width, height, format_);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    TDib dib = CreateDib(width_, height_, format);
    CopyCommonPixels(*this, dib.Bits, width_, height_, format);
    Adopt(std::move(dib.Handle), dib.Bits, width_, height_, format);
}

const std::uint8_t* TBitmap::ScanLine(int y) const
{
    if (y < 0 || y >= height_)
        throw Exception("Scan line index " + std::to_string(y) + " out of range");
    GdiFlush();  // drawing through the canvas may still be queued
    return bits_ + static_cast<std::size_t>(height_ - 1 - y) * Stride();
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    return const_cast<std::uint8_t*>(std::as_const(*this).ScanLine(y));
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_) {
        auto dc = std::make_unique<TMemoryDC>();
        if (!dc->Get())
            throw Exception("Cannot create a device context for a bitmap");
        oldBitmap_ = GetCurrentObject(dc->Get(), OBJ_BITMAP);
        if (handle_)
            SelectObject(dc->Get(), handle_.Get());
        canvas_ = std::make_unique<TCanvas>();
        canvas_->SetHandle(dc->Get());
        dc_ = std::move(dc);
    }
    return canvas_.get();
}

TColor TBitmap::TransparentColor() const
{
    if (transparentColor_ != clDefault)
        return transparentColor_;
    if (Empty())
        return clNone;
    const std::uint8_t* bottomLeft = ScanLine(height_ - 1);
    return static_cast<TColor>(RGB(bottomLeft[2], bottomLeft[1], bottomLeft[0]));
}

void TBitmap::LoadFromBytes(const std::uint8_t* data, std::size_t size)
{
    const TBmpLayout layout = ReadBmpLayout(data, size);
    const TPixelFormat format = layout.DecodedBytesPerPixel() == 4 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
    TDib dib = CreateDib(layout.Width, layout.Height, format);
    DecodeBmpPixels(layout, data, dib.Bits, DibStride(layout.Width, layout.DecodedBytesPerPixel()));
    Adopt(std::move(dib.Handle), dib.Bits, layout.Width, layout.Height, format);
}

void TBitmap::LoadFromStream(TStream& stream)
{
    std::vector<std::uint8_t> data(static_cast<std::size_t>(std::max<std::int64_t>(stream.Size() - stream.Position(), 0)));
    stream.ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    LoadFromBytes(data.data(), data.size());
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const
{
    if (Empty())
        throw EInvalidGraphic("An empty bitmap has no BMP data");
    std::vector<std::uint8_t> data = BmpHeaders(width_, height_, BytesPerPixel());
    GdiFlush();
    // A DIB section's memory is laid out as a bottom-up BMP file's pixels.
    data.insert(data.end(), bits_, bits_ + Stride() * static_cast<std::size_t>(height_));
    return data;
}

void TBitmap::SaveToStream(TStream& stream) const
{
    const std::vector<std::uint8_t> data = SaveToBytes();
    stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
}

void TBitmap::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TBitmap*>(&source);
    if (!other)
        return TGraphicsObject::Assign(source);
    if (other == this)
        return;
    TDib dib = CreateDib(other->width_, other->height_, other->format_);
    CopyCommonPixels(*other, dib.Bits, other->width_, other->height_, other->format_);
    transparent_ = other->transparent_;
    transparentColor_ = other->transparentColor_;
    Adopt(std::move(dib.Handle), dib.Bits, other->width_, other->height_, other->format_);
}

bool TBitmap::ReadDefinedProperty(const std::string& name, const TFormValue& value)
{
    if (!SameText(name, "Data"))
        return TGraphicsObject::ReadDefinedProperty(name, value);
    const std::string where = "Form data, line " + std::to_string(value.Line) + ": ";
    const auto* bytes = std::get_if<TFormBinary>(&value.Data);
    if (!bytes)
        throw EReadError(where + "the Data of a bitmap is binary data");
    try {
        LoadFromBytes(bytes->data(), bytes->size());
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(where + e.Message());
    }
    return true;
}

} // namespace ui
