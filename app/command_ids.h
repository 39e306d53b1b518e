// Command ids of the menu and the accelerators: the program's own from 32775, the standard
// ones from 57344.
#pragma once

namespace zelkon {

inline constexpr int ID_SUIT_MANZU = 32775;
inline constexpr int ID_SUIT_SOUZU = 32776;
inline constexpr int ID_SUIT_PINZU = 32777;
inline constexpr int ID_SUIT_RANDOM = 32778;
inline constexpr int ID_FILE_RESET = 32779;
inline constexpr int ID_SORT_ON = 32783;
inline constexpr int ID_SORT_OFF = 32784;
inline constexpr int ID_PRACTICE_EXPLAIN = 32790;
inline constexpr int ID_PRACTICE_HINT = 32791;
inline constexpr int ID_LANGUAGE_JAPANESE = 32800;
inline constexpr int ID_LANGUAGE_ENGLISH = 32801;

inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

}  // namespace zelkon
