// Messages the core asks the window to show, in the order it shows them.
#pragma once

#include <string>

namespace ign {

inline constexpr const char* kWindowCaption = "Калькулятор зажигания";

enum class Icon { Critical, Exclamation, Question };

// The control a refused value turns light red until it takes the focus.
enum class Highlight { None, Combo2_0, Combo2_1, Text1_3, Text1_4 };

struct Message {
    std::string text;
    Icon icon = Icon::Critical;
    Highlight highlight = Highlight::None;
    friend bool operator==(const Message&, const Message&) = default;
};

// The Russian verb that agrees with a count: `one` for 1, 21, 31..., `many`
// for the rest ("Отличается 1 из 60", "Отличаются 12 из 60").
inline const char* verbForCount(int count, const char* one, const char* many)
{
    return count % 10 == 1 && count % 100 != 11 ? one : many;
}

namespace text {
inline constexpr const char* kNmaxRange =
    "Значение максимальных оборотов должно находится в пределах 2000...14000 об/мин";
inline constexpr const char* kNminRange =
    "Значение минимальных оборотов должно находится в пределах 945...14000 об/мин";
inline constexpr const char* kNminAboveNmax = "Nmin > Nmax. Функция обкатки работать не будет!";
inline constexpr const char* kSmallAngle =
    "Угол между ВМТ и отрицательным импульсом мал. Увеличте начальный УОЗ или угол между "
    "отрицаельным и положительным импульсами.";
inline constexpr const char* kByteRange =
    "Значения таблицы выходят за пределы 0...255 и не помещаются в байт контроллера. Прошивка с "
    "такой таблицей будет работать неверно.";
inline constexpr const char* kNotComputable =
    "Расчет невозможен: при заданных значениях угол опережения или постоянные контроллера не "
    "определены (деление на ноль или переполнение). Проверьте коэффициенты и настройки.";
inline constexpr const char* kDelayRange =
    "Время задержки должно находиться в пределах 30...1000 мкс";
inline constexpr const char* kPulseRange =
    "Длительность управляющего импульса должна находиться в пределах 10...3000 мкс";
}  // namespace text

}  // namespace ign
