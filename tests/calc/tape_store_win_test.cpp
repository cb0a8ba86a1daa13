// The tape kept across a restart, and PULISCI undone, in the real window.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/commands_win.h"
#include "calc/tape_store_win.h"
#include "tests/app/gui_fixture.h"
#include "tests/calc/calc_checks.h"

namespace {

// The file's bytes, or "<none>" when there is no file.
std::string fileText(const std::wstring& path)
{
    std::ifstream file(std::string(path.begin(), path.end()), std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<none>";
}

// Ctrl+Z in the input line.
void undo()
{
    setKey(VK_CONTROL, true);
    press(mainState.inputEdit, 'Z', 0x1A);
    setKey(VK_CONTROL, false);
}

// The program started again with what the registry holds.
void reopen()
{
    settings = Settings{};
    calculator = CalculatorState{};
    mainState = MainWindowState{};
    ASSERT_NE(nullptr, openMainWindow());
}

void restart()
{
    closeMainWindow();
    reopen();
}

class KeptTapeWindow : public MainWindow {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"zentolo-appdata-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        SetEnvironmentVariableW(L"APPDATA", folder.c_str());
        DeleteFileW(keptTapePath().c_str());
        MainWindow::SetUp();
    }
    std::wstring folder;
};

TEST_F(KeptTapeWindow, PulisciIsUndoneAndTheTapeSurvivesARestart)
{
    const std::wstring path = keptTapePath();
    EXPECT_EQ(folder + L"\\Zentolo\\nastro.txt", path);
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(mainState.keepTapeCheck, BM_GETCHECK, 0, 0)) << "clear by default";
    enterLine(L"1+1");
    enterLine(L"*3");
    restart();
    EXPECT_TRUE(tape().empty()) << "not kept unless asked";
    EXPECT_EQ("<none>", fileText(path));

    SendMessageW(mainState.keepTapeCheck, BM_CLICK, 0, 0);
    command(idSaveSettings);
    enterLine(L"1+1");
    enterLine(L"*3");
    command(idClear);
    EXPECT_TRUE(tape().empty());
    undo();
    const std::vector<std::wstring> both = {L"1+1 = 2,00", L"2,00*3 = 6,00"};
    EXPECT_EQ(both, tape()) << "Ctrl+Z right after PULISCI brings the tape back";
    EXPECT_EQ(L"6,00", display());
    enterLine(L"+1");
    EXPECT_EQ(L"6,00+1 = 7,00", tape().back()) << "and the display it continues from";
    command(idClear);
    enterLine(L"5");
    undo();
    EXPECT_EQ(std::vector<std::wstring>{L"5 = 5,00"}, tape()) << "the next calculation ends the undo";
    EXPECT_EQ(L"", input());

    restart();
    EXPECT_EQ("5 = 5,00\r\n", fileText(path));
    EXPECT_EQ(std::vector<std::wstring>{L"5 = 5,00"}, tape()) << "read back at start";
    EXPECT_EQ(L"5,00", display()) << "with its last result, for a line that goes on from it";
    EXPECT_EQ(BST_CHECKED, SendMessageW(mainState.keepTapeCheck, BM_GETCHECK, 0, 0));
    EXPECT_EQ("<none>", fileText(path + L"." + std::to_wstring(GetCurrentProcessId()) + L".nuovo"))
        << "written aside, then renamed over the old tape";

    enterLine(L"\t12,50");  // a row pasted with an empty first cell
    restart();
    EXPECT_EQ((std::vector<std::wstring>{L"5 = 5,00", L"12,50 = 12,50"}), tape()) << "a tab never damages the file";

    closeMainWindow();
    const std::string damaged = "1 = 1,00\r\n\xFF damaged";
    std::ofstream(std::string(path.begin(), path.end()), std::ios::binary) << damaged;
    const std::wstring aside = folder + L"\\Zentolo\\nastro.danneggiato.txt";
    std::ofstream(std::string(aside.begin(), aside.end()), std::ios::binary) << "older";
    reopen();
    EXPECT_TRUE(tape().empty()) << "a damaged file gives an empty tape";
    const std::wstring second = folder + L"\\Zentolo\\nastro.danneggiato-2.txt";
    EXPECT_EQ(damaged, fileText(second)) << "put aside, never over an earlier damaged copy";
    EXPECT_EQ("older", fileText(aside));
    enterLine(L"7");
    restart();
    EXPECT_EQ(std::vector<std::wstring>{L"7 = 7,00"}, tape()) << "and a new tape kept as usual";

    // A kept tape another program holds open is neither read nor written over.
    closeMainWindow();
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    reopen();
    EXPECT_EQ(0u, shownRefusal().find(L"Nastro conservato non letto: ")) << shownRefusal();
    enterLine(L"8");
    closeMainWindow();
    CloseHandle(held);
    EXPECT_EQ("7 = 7,00\r\n", fileText(path)) << "the file stays as it was";
    reopen();

    const std::wstring leftover = folder + L"\\Zentolo\\nastro.4242.nuovo";  // a copy stopped while writing
    std::ofstream(std::string(leftover.begin(), leftover.end()), std::ios::binary) << "7 = 7,00\r\n";
    SendMessageW(mainState.keepTapeCheck, BM_CLICK, 0, 0);
    command(idSaveSettings);
    EXPECT_EQ("<none>", fileText(path)) << "clearing the box deletes the kept tape";
    EXPECT_EQ("<none>", fileText(leftover)) << "and what a copy left half-written";
    EXPECT_EQ("<none><none>", fileText(aside) + fileText(second)) << "and every damaged copy";
    enterLine(L"9");
    restart();
    EXPECT_TRUE(tape().empty());
    EXPECT_EQ("<none>", fileText(path));

    SetEnvironmentVariableW(L"APPDATA", nullptr);
    SendMessageW(mainState.keepTapeCheck, BM_CLICK, 0, 0);
    command(idSaveSettings);
    EXPECT_EQ(L"Cartella dei dati non disponibile: il nastro non sar\u00e0 conservato.",
              controlText(mainState.settingsStatus));
}

} // namespace
