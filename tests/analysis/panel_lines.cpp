// The panel's lines for hands read from standard input, "HAND PICKS LANG" a line (PICKS "-" for
// none, LANG ja or en): what the page's module test holds the WebAssembly build to.
#include "support/panel_lines.h"

#include <iostream>
#include <string>

int main() {
    std::string hand;
    std::string picks;
    std::string code;
    while (std::cin >> hand >> picks >> code) {
        zelkon::Language language = zelkon::Language::Japanese;
        zelkon::ParseLanguageCode(code, language);
        std::cout << hand << ' ' << picks << ' ' << code << '\n'
                  << zelkon::tests::PanelLines(hand, picks == "-" ? "" : picks, language, true);
    }
}
