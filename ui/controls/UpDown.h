// The up-down control over the platform's up-down control: two arrows that
// step a position, on their own or beside the edit they serve.
#pragma once

#include "ui/controls/Controls.h"

namespace ui {

enum class TUDOrientation { udVertical, udHorizontal };

// Two arrows that step Position by Increment within Min..Max (round with
// Wrap). With an Associate (an edit), the arrows sit at its right side and
// its text shows the position. OnChange runs on every step.
class TUpDown : public TWinControl {
    UI_CLASS(TUpDown)
public:
    explicit TUpDown(TComponent* owner);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool on);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation orientation);
    // The windowed control the arrows serve (a reference).
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* control);
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    void Loaded() override;

private:
    void ApplyRange();
    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    bool wrap_ = false;
    TUDOrientation orientation_ = TUDOrientation::udVertical;
    TWinControl* associate_ = nullptr;
};

} // namespace ui
