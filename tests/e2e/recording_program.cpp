// Stands in for a Windows program the calculator starts (the assembler, the
// editor): writes the whole command line it was given and the folder it was
// started in to <its own name>-call.txt beside itself, UTF-8, one per line.
// As the assembler it also leaves a firmware image in its current folder, as
// the real one does, and says so on standard output.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

bool writeFile(const std::wstring& name, const std::string& bytes)
{
    FILE* file = _wfopen(name.c_str(), L"wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main()
{
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    std::wstring current(MAX_PATH, L'\0');
    current.resize(GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));

    const std::wstring::size_type slash = self.find_last_of(L"\\/");
    std::wstring name = self.substr(slash + 1);
    name = name.substr(0, name.find_last_of(L'.'));
    const std::wstring record = self.substr(0, slash + 1) + name + L"-call.txt";
    if (!writeFile(record, utf8(GetCommandLineW()) + "\n" + utf8(current) + "\n"))
        return 3;

#ifdef IGN_WRITES_FIRMWARE
    // One data record and the end record, enough to be a firmware image.
    if (!writeFile(L"kom.hex", ":020000000000FE\r\n:00000001FF\r\n"))
        return 4;
    std::puts("stand-in assembler: kom.hex written");
#endif
    return 0;
}
