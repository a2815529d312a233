// Runs a fuzz target over files instead of generated inputs: its corpus and the inputs of
// faults found earlier, as an ordinary test of the normal build. Usage: TARGET FILE_OR_FOLDER...
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) __attribute__((weak));

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList paths;
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (!QFileInfo::exists(argument))
            continue; // a target without reproducers yet
        if (QFileInfo(argument).isDir()) {
            QDirIterator it(argument, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                paths << it.next();
        } else {
            paths << argument;
        }
        paths.sort();
        for (const QString &path : std::as_const(paths)) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(path));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++files;
        }
    }
    std::fprintf(stderr, "%d inputs passed\n", files);
    return files > 0 ? 0 : 1;
}
