// Forms from stored form data. A form file is UTF-8 text describing an object
// tree:
//
//     object Form_mm: TForm_mm
//       Caption = '登录'
//       Font.Name = '宋体'
//       BorderIcons = [biSystemMenu]
//       OnCreate = FormCreate
//       object Label1: TLabel
//         Left = 24
//       end
//     end
//
// Values: integers, 'quoted text' ('' for a quote), identifiers (enumeration
// values, True/False, event handler names), sets [a, b], lists ( 'a' 'b' ),
// binary data { hex digits } and the items of a collection property:
//
//     Panels = <
//       item
//         Width = 120
//       end
//       item
//         Text = 'Ready'
//       end>
//
// A collection value replaces the property's items by these. Properties are set in file order; dotted
// names reach into class properties (Font.Name). Nested objects are created by
// class name, owned by the root and made children of the enclosing object.
// A reference property names a component of the form (Menu = MainMenu1, or
// nil); references are set once the whole tree exists, since they usually
// name components that come later. Then Loaded() runs on every component in
// the order they were read.
//
// Platform-neutral.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ui {

class TComponent;
class TObject;

struct TFormIdent {
    std::string Name;
};
struct TFormSet {
    std::vector<std::string> Members;
};
struct TFormValue;
struct TFormProperty;
using TFormList = std::vector<TFormValue>;
using TFormBinary = std::vector<std::uint8_t>;
// One item of a collection value: its properties, in file order.
struct TFormItem {
    std::vector<TFormProperty> Properties;
    int Line = 0;
};
using TFormCollection = std::vector<TFormItem>;

struct TFormValue {
    // std::string holds quoted text (UTF-8).
    std::variant<std::int64_t, std::string, TFormIdent, TFormSet, TFormList, TFormBinary, TFormCollection> Data;
    int Line = 0;
};

struct TFormProperty {
    std::string Name;
    TFormValue Value;
};

struct TFormObject {
    std::string Name;
    std::string ClassName;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    int Line = 0;
};

// How deep objects, lists and collections may nest in form text, together: far more than
// any form needs, and far less than what the reader's recursion could take
// before the stack of the 32-bit program runs out.
inline constexpr int MaxFormNesting = 64;

// Parses form text; raises EReadError with the line number on bad syntax or
// nesting deeper than MaxFormNesting.
TFormObject ParseForm(std::string_view text);

// Reads form text into root (an already created object of the root class):
// sets its properties, creates and sets the nested components, then calls
// Loaded() on all of them. A root without a name takes the form's, made
// unique among its owner's components ("Doc_1" for a second "Doc").
void ReadComponent(std::string_view text, TComponent& root);

// Sets one property of obj from a form value, following dotted names. Event
// handler names are looked up in methodOwner's handler table, and references
// among methodOwner's components (or methodOwner itself).
void SetFormProperty(TObject& obj, std::string_view name, const TFormValue& value,
                     TComponent& methodOwner);

} // namespace ui
