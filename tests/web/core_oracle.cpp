// The browser tests' reference: the page's own core functions, compiled
// natively. Reads records of "window<US>text<US>text…<RS>" (US = 0x1f,
// RS = 0x1e; a field text may hold a line feed) and writes the answer of 计算
// for each, one JSON line per record, so that the page in the browser and
// the native core can be compared text for text.
#include <iostream>
#include <string>

extern "C" {
void dravik_set_field(int index, const char* text);
const char* dravik_calculate(const char* window);
}

int main() {
    std::string line;
    while (std::getline(std::cin, line, '\x1e')) {
        std::string window;
        int index = -1;
        std::string part;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i < line.size() && line[i] != '\x1f') {
                part += line[i];
                continue;
            }
            if (index < 0)
                window = part;
            else
                dravik_set_field(index, part.c_str());
            ++index;
            part.clear();
        }
        std::cout << dravik_calculate(window.c_str()) << '\n';
    }
}
