// The one home of the inputs: every field text and control state of the
// window, kept as typed. Whoever changes a value -- the user through a
// control, a file, a command -- changes it here, under the rules of the
// control that shows it, and everyone who listens hears which value changed.
// The controls only show what is here; a panel built late reads it then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/inputs.h"

namespace ign {

// The window's controls that hold an input, by the names the window gives
// them: `Text6` element 12 is {Control::Text6, 12}; the check box is
// {Control::Check1, 0}.
enum class Control : std::uint8_t { Combo1, Combo2, Check1, Option1, Text1, Text4, Text5, Text6 };

struct FieldId {
    Control control = Control::Text1;
    int index = 0;
    friend bool operator==(const FieldId&, const FieldId&) = default;
};

// A text field, and the edit line of an editable list, keeps at most this many
// UTF-16 units of what it is given.
inline constexpr std::size_t kFieldTextLimit = 32767;
// `text` as such a field keeps it; it is cut only between whole characters.
std::string keptFieldText(std::string_view text);

class InputsModel {
public:
    // The texts the window shows before any settings file is read.
    InputsModel();

    const Inputs& values() const { return values_; }
    bool byCoefficients() const { return values_.byCoefficients(); }
    // The text of a field or of a list's selection; the check box and the
    // option buttons have none.
    const std::string& text(FieldId field) const;
    // The check box and the option buttons.
    bool state(FieldId field) const;

    // A drop-down list takes only one of its items and keeps its selection
    // otherwise; a text field and an editable list keep what keptFieldText
    // keeps. A text that changes nothing is no change.
    void setText(FieldId field, std::string_view text);
    // The two option buttons are one group: selecting one clears the other,
    // clearing one selects nothing, so both may end up clear.
    void setState(FieldId field, bool on);
    // Every value at once, each under its control's rule, the option buttons
    // one after the other: as a file or a command hands them over.
    void assign(const Inputs& values);

    // `listener` hears each value that changed, once it has changed. The id
    // ends the listening.
    std::size_t listen(std::function<void(FieldId)> listener);
    void unlisten(std::size_t id);

private:
    std::string& textSlot(FieldId field);
    void changed(FieldId field);

    Inputs values_;
    std::vector<std::pair<std::size_t, std::function<void(FieldId)>>> listeners_;
    std::size_t nextListener_ = 0;
};

}  // namespace ign
