// Image lists: pictures of one size, each with a transparency mask, held in
// a platform image list and drawn by index (menu items, buttons).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/graphics/Graphics.h"

namespace ui {

class TImageList : public TComponent {
    UI_CLASS(TImageList)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // The size of every picture; changing it empties the list.
    int Width() const { return width_; }
    void SetWidth(int width);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Count() const;
    HIMAGELIST Handle() const { return handle_; }

    // Adds the pictures of image, side by side, each Width wide; mask (null:
    // none) marks transparent pixels white. Returns the first index.
    int Add(const TBitmap& image, const TBitmap* mask);
    // The same with every pixel of maskColor transparent; image stays as it is.
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Delete(int index);
    void Clear();
    // Draws picture index with its top-left corner at (x, y), greyed and
    // embossed when not enabled.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true) const;

    // The colour that stands for "transparent" in form data (clFuchsia).
    TColor MaskColor() const { return maskColor_; }
    void SetMaskColor(TColor color) { maskColor_ = color; }
    // Reads "Bitmap = { BMP file bytes }" of form files: the pictures side by
    // side, MaskColor transparent.
    bool ReadDefinedProperty(const std::string& name, const TFormValue& value) override;

private:
    void Recreate();

    int width_ = 16;
    int height_ = 16;
    TColor maskColor_ = clFuchsia;
    HIMAGELIST handle_ = nullptr;
};

} // namespace ui
