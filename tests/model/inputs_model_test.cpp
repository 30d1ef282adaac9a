#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/inputs_model.h"
#include "support/same_fields.h"

namespace ign {
namespace {

std::string repeated(const std::string& piece, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// Every value goes in under the rule of the control that shows it.
TEST(InputsModel, EachControlTakesWhatItsRuleAllows)
{
    const std::string wide = repeated("x", 32766) + "\xF0\x9F\x98\x80";  // 2 units at the end
    const struct {
        FieldId field;
        std::string text;
        std::string kept;
        const char* label;
    } rows[] = {
        {{Control::Combo1, 0}, "4", "4", "an item of the prescaler list"},
        {{Control::Combo1, 0}, "3", "8", "no item: the selection stays"},
        {{Control::Combo1, 0}, "", "8", "empty is no item"},
        {{Control::Combo1, 1}, "1", "1", "an item of the pulse list"},
        {{Control::Combo1, 1}, "4", "2", "an item of the other list only"},
        {{Control::Combo2, 0}, "abc", "abc", "an editable list takes any text"},
        {{Control::Text6, 5}, "21,5", "21,5", "kept as typed, comma and all"},
        {{Control::Text1, 3}, repeated("7", 40000), repeated("7", 32767), "cut to 32767"},
        {{Control::Text5, 59}, repeated("ж", 40000), repeated("ж", 32767),
         "counted in characters, not bytes"},
        {{Control::Combo2, 1}, wide, repeated("x", 32766), "a character is never split"},
    };
    for (const auto& r : rows) {
        InputsModel model;
        model.setText(r.field, r.text);
        EXPECT_EQ(model.text(r.field), r.kept) << r.label;
    }
    EXPECT_EQ(keptFieldText(repeated("x", 32767)).size(), 32767u);
}

TEST(InputsModel, TheOptionButtonsAreOneGroup)
{
    const struct {
        std::vector<std::pair<int, bool>> steps;
        std::array<bool, 2> states;
    } rows[] = {
        {{{1, true}}, {false, true}},
        {{{1, true}, {0, true}}, {true, false}},
        {{{0, false}}, {false, false}},  // clearing one selects nothing
        {{{1, false}}, {true, false}},
        {{{0, false}, {1, false}}, {false, false}},
        {{{0, true}, {1, true}}, {false, true}},  // "True" twice, as a file may say
    };
    for (const auto& r : rows) {
        InputsModel model;
        for (const auto& [which, on] : r.steps)
            model.setState({Control::Option1, which}, on);
        EXPECT_EQ(model.values().option1, r.states);
        EXPECT_EQ(model.byCoefficients(), r.states[0]);
    }
}

TEST(InputsModel, ListenersHearEachChangeOnce)
{
    InputsModel model;
    std::vector<FieldId> heard;
    const std::size_t id = model.listen([&](FieldId f) { heard.push_back(f); });

    Inputs next = model.values();
    next.combo1 = {"3", "1"};  // the prescaler refuses, the pulse count takes it
    next.option1 = {false, true};
    next.text6[7] = "x";
    next.check1 = true;
    model.assign(next);
    const std::vector<FieldId> expected = {{Control::Combo1, 1},
                                           {Control::Check1, 0},
                                           {Control::Option1, 0},
                                           {Control::Option1, 1},
                                           {Control::Text6, 7}};
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(model.values().combo1[0], "8");

    heard.clear();
    model.assign(model.values());
    model.setText({Control::Text6, 7}, "x");
    EXPECT_TRUE(heard.empty());  // nothing changed

    // One that stops another while it hears a change: the other hears no more.
    std::size_t other = 0;
    int otherHeard = 0;
    const std::size_t first = model.listen([&](FieldId) { model.unlisten(other); });
    other = model.listen([&](FieldId) { ++otherHeard; });
    model.unlisten(id);
    model.setState({Control::Check1, 0}, false);
    EXPECT_EQ(otherHeard, 0);
    model.unlisten(first);
    EXPECT_EQ(heard.size(), 0u);
}

TEST(InputsModel, StartsWithTheStartTextsAndKnowsItsKinds)
{
    InputsModel model;
    ign::test::expectSameFields(model.values(), initialInputs());
    EXPECT_EQ(model.text({Control::Text4, 0}), "45.1");
    EXPECT_TRUE(model.state({Control::Option1, 0}));
    EXPECT_THROW(model.text({Control::Check1, 0}), std::invalid_argument);
    EXPECT_THROW(model.state({Control::Text1, 3}), std::invalid_argument);
    EXPECT_THROW(model.setText({Control::Text6, 24}, "1"), std::out_of_range);
}

}  // namespace
}  // namespace ign
