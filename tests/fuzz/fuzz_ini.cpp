// zel.ini: any bytes read as the settings file, every value within its range afterwards, and
// writing one key changes that key only.
#include "FuzzLink.h"
#include "shell/IniFile.h"

#include <QSet>
#include <iterator>

using namespace zel;
using namespace zel::fuzz;

struct KeyName {
    QString section;
    QString key;
};

const KeyName kKeys[] = {{u"RS232C"_qs, u"AutoSave"_qs}, {u"RS232C"_qs, u"ComPort"_qs},
                         {u"RS232C"_qs, u"Rate"_qs},     {u"RsWait"_qs, u"Write1"_qs},
                         {u"SOFT"_qs, u"Mode"_qs},       {u"LANGUAGE"_qs, u"Mode"_qs}};

static void checkRanges(const Settings& settings) {
    static const QSet<int> rates{4800, 9600, 19200, 38400};
    ZEL_FUZZ_ASSERT(rates.contains(settings.baudRate()));
    ZEL_FUZZ_ASSERT(settings.languageIndex() == 0 || settings.languageIndex() == 1);
    ZEL_FUZZ_ASSERT(settings.timeOutWaitMs() >= 1 && settings.timeOutWaitMs() <= 65535);
    ZEL_FUZZ_ASSERT(settings.timeOutRetryMs() >= 1 && settings.retryCount() >= 0);
    ZEL_FUZZ_ASSERT(settings.CurrentWriteWait >= 1);
    const int minutes = settings.autoSaveMinutes();
    ZEL_FUZZ_ASSERT(minutes == 0 || minutes == 3 || minutes == 5 || minutes == 10);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const size_t writtenIndex = input.ConsumeIntegralInRange<size_t>(0, std::size(kKeys) - 1);
    const KeyName& written = kKeys[writtenIndex];
    const std::string value = input.ConsumeRandomLengthString(8);
    const QByteArray content = RemainingBytes(input);
    IniFile file(u"zel.ini"_qs);
    file.setContent(content);
    Settings settings;
    settings.readValues(file);
    checkRanges(settings);

    // A written value is one line of Latin-1 without line ends, as the settings dialog gives.
    QString newValue = QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
    newValue.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    newValue = newValue.trimmed();
    if (newValue.size() >= 2 &&
        (newValue.front() == QLatin1Char('"') || newValue.front() == QLatin1Char('\'')))
        return 0; // quotes are taken off when read
    IniFile after(u"zel.ini"_qs);
    after.setContent(IniFile::withValue(content, written.section, written.key, newValue));
    ZEL_FUZZ_ASSERT(after.value(written.section, written.key) == newValue);
    for (size_t i = 0; i < std::size(kKeys); ++i)
        if (i != writtenIndex)
            ZEL_FUZZ_ASSERT(after.value(kKeys[i].section, kKeys[i].key) ==
                            file.value(kKeys[i].section, kKeys[i].key));
    return 0;
}
