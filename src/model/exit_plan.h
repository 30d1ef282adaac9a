// Leaving the program. The settings file is written on every exit; whether
// the results are written, and whether the user is asked first, is decided
// here.
#pragma once

#include "model/calc_state.h"
#include "model/inputs.h"

namespace ign {

enum class ExitTable {
    Leave,  // nothing new to write
    Save,  // automatic saving is on: written without a question
    Ask,  // unsaved results: "Да" writes them, "Нет" leaves, "Отмена" stays
};

ExitTable exitTable(const Inputs& in, const CalcState& state);

namespace text {
inline constexpr const char* kSaveBeforeExit =
    "Сохранить результаты рассчетов перед выходом из программы?";
inline constexpr const char* kExitCaption = "Выход из программы";
}  // namespace text

}  // namespace ign
