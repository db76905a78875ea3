// Not a test: the time to enter a large folder with a folder list and its
// file list (the folder list's lines, the file list's re-read).
//
//   views_bench [count ...]     default: 10000 100000

#include "files/FileSystem.h"
#include "platform/files/TempDrives.h"
#include "ui/DirectoryListBox.h"
#include "ui/FileListBox.h"
#include "ui/Form.h"
#include "ui/Label.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Names of mixed case and length, as a suite's data folder has them.
void fillFolder(const std::string& host, int count)
{
    files::test::makeHostFolder(host);
    for (const std::string& name : files::test::suiteLikeNames(count)) {
        const int fd = ::open((host + "/" + name).c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    for (int i = 0; i < 20; ++i)
        files::test::makeHostFolder(host + "/Sub" + std::to_string(i));
}

class BenchForm : public ui::TForm
{
public:
    BenchForm() : ui::TForm(nullptr)
    {
        label = new ui::TLabel(this);
        label->SetParent(this);
        label->SetAutoSize(false);
        label->SetBounds(8, 44, 205, 16);
        dirList = new ui::TDirectoryListBox(this);
        dirList->SetParent(this);
        dirList->SetBounds(7, 62, 208, 89);
        fileList = new ui::TFileListBox(this);
        fileList->SetParent(this);
        fileList->SetBounds(6, 154, 209, 154);
        dirList->SetFileList(fileList);
        dirList->SetDirLabel(label);
    }

    ui::TLabel* label;
    ui::TDirectoryListBox* dirList;
    ui::TFileListBox* fileList;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {10000, 100000};

    files::test::TempDrives machine("C");
    BenchForm form;
    std::printf("%10s %12s %12s %12s\n", "files", "enter ms", "re-read ms", "per file us");
    for (int count : counts) {
        const std::string folder = "C:\\F" + std::to_string(count);
        fillFolder(machine.host(folder), count);
        std::vector<double> enter, reread;
        for (int round = 0; round < 5; ++round) {
            form.dirList->SetDirectory("C:\\");
            Clock::time_point start = Clock::now();
            form.dirList->SetDirectory(folder);
            enter.push_back(millisecondsSince(start));
            start = Clock::now();
            form.fileList->Update();
            reread.push_back(millisecondsSince(start));
        }
        if (form.fileList->Items().Count() != count) {
            std::fprintf(stderr, "listed %d of %d files\n", form.fileList->Items().Count(), count);
            return 1;
        }
        std::sort(enter.begin(), enter.end());
        std::sort(reread.begin(), reread.end());
        std::printf("%10d %12.1f %12.1f %12.2f\n", count, enter[2], reread[2], enter[2] * 1000.0 / count);
    }
    return 0;
}
