#include "model/inputs_model.h"

#include <algorithm>
#include <stdexcept>

namespace ign {
namespace {

// The length of the UTF-8 sequence a lead byte starts, and its UTF-16 units:
// a character beyond the 16-bit plane takes two. A stray byte counts as one
// character, as a decoder replaces it.
std::pair<std::size_t, std::size_t> sequence(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return {4, 2};
    if (lead >= 0xE0 && lead < 0xF0)
        return {3, 1};
    if (lead >= 0xC0 && lead < 0xE0)
        return {2, 1};
    return {1, 1};
}

}  // namespace

std::string keptFieldText(std::string_view text)
{
    if (text.size() <= kFieldTextLimit)
        return std::string(text);  // never more units than bytes
    std::size_t units = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto [bytes, width] = sequence(static_cast<unsigned char>(text[at]));
        if (units + width > kFieldTextLimit)
            break;
        units += width;
        at = std::min(text.size(), at + bytes);
    }
    return std::string(text.substr(0, at));
}

InputsModel::InputsModel() : values_(initialInputs()) { }

std::string& InputsModel::textSlot(FieldId field)
{
    const auto i = static_cast<std::size_t>(field.index);
    switch (field.control) {
    case Control::Combo1:
        return values_.combo1.at(i);
    case Control::Combo2:
        return values_.combo2.at(i);
    case Control::Text1:
        return values_.text1.at(i);
    case Control::Text4:
        return values_.text4.at(i);
    case Control::Text5:
        return values_.text5.at(i);
    case Control::Text6:
        return values_.text6.at(i);
    case Control::Check1:
    case Control::Option1:
        break;
    }
    throw std::invalid_argument("the check box and the option buttons hold no text");
}

const std::string& InputsModel::text(FieldId field) const
{
    return const_cast<InputsModel*>(this)->textSlot(field);
}

bool InputsModel::state(FieldId field) const
{
    if (field.control == Control::Check1)
        return values_.check1;
    if (field.control == Control::Option1)
        return values_.option1.at(static_cast<std::size_t>(field.index));
    throw std::invalid_argument("only the check box and the option buttons have a state");
}

void InputsModel::setText(FieldId field, std::string_view text)
{
    std::string& slot = textSlot(field);
    std::string taken = slot;
    if (field.control == Control::Combo1) {
        const std::string item(text);
        if (field.index == 0)
            selectItem(taken, kPrescalerItems, item);
        else
            selectItem(taken, kPulseCountItems, item);
    } else {
        taken = keptFieldText(text);
    }
    if (taken == slot)
        return;
    slot = std::move(taken);
    changed(field);
}

void InputsModel::setState(FieldId field, bool on)
{
    if (field.control == Control::Check1) {
        if (values_.check1 == on)
            return;
        values_.check1 = on;
        changed(field);
        return;
    }
    if (field.control != Control::Option1)
        throw std::invalid_argument("only the check box and the option buttons have a state");
    const std::array<bool, 2> before = values_.option1;
    setOptionState(values_.option1, static_cast<std::size_t>(field.index), on);
    for (std::size_t i = 0; i < 2; ++i)
        if (before[i] != values_.option1[i])
            changed({Control::Option1, static_cast<int>(i)});
}

void InputsModel::assign(const Inputs& v)
{
    const auto texts = [&](Control control, const auto& array, std::size_t first) {
        for (std::size_t i = first; i < array.size(); ++i)
            setText({control, static_cast<int>(i)}, array[i]);
    };
    texts(Control::Combo1, v.combo1, 0);
    texts(Control::Combo2, v.combo2, 0);
    setState({Control::Check1, 0}, v.check1);
    setState({Control::Option1, 0}, v.option1[0]);
    setState({Control::Option1, 1}, v.option1[1]);
    texts(Control::Text1, v.text1, 1);
    texts(Control::Text4, v.text4, 0);
    texts(Control::Text5, v.text5, 0);
    texts(Control::Text6, v.text6, 0);
}

std::size_t InputsModel::listen(std::function<void(FieldId)> listener)
{
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void InputsModel::unlisten(std::size_t id)
{
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void InputsModel::changed(FieldId field)
{
    // A listener may end its own or another's listening while it hears the
    // change; one that has ended hears no more.
    std::vector<std::size_t> ids;
    for (const auto& entry : listeners_)
        ids.push_back(entry.first);
    for (const std::size_t id : ids) {
        const auto it = std::find_if(listeners_.begin(), listeners_.end(),
                                     [id](const auto& entry) { return entry.first == id; });
        if (it != listeners_.end()) {
            const auto listener = it->second;
            listener(field);
        }
    }
}

}  // namespace ign
