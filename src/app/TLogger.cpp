#include "app/TLogger.h"

#include "app/LogLineText.h"
#include "app/TLoggerConsoleOutputHandler.h"

#include <QDateTime>
#include <QSysInfo>

#include <algorithm>
#include <limits>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <malloc.h>
#include <netinet/in.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace
{

QString fill(QString format, const char *placeholder, const QString &text)
{
    return format.replace(QLatin1String(placeholder), text);
}

// The name of a value's type as the type part shows it ("string" for text).
QString valueTypeName(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return QStringLiteral("string");
    case QMetaType::Bool:
        return QStringLiteral("boolean");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QStringLiteral("integer");
    case QMetaType::Float:
    case QMetaType::Double:
        return QStringLiteral("double");
    default:
        return value.isValid() ? QString::fromLatin1(value.typeName()) : QStringLiteral("empty");
    }
}

std::uint32_t clampToUInt32(unsigned long long value)
{
    return static_cast<std::uint32_t>(
        std::min<unsigned long long>(value, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t memoryInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return clampToUInt32(static_cast<unsigned long long>(info.uordblks) + info.hblkhd);
}

// The first IPv4 address of an interface other than loopback, else the loopback
// address, else empty text.
QString firstIPv4Address()
{
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return {};
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, &freeifaddrs);
    QString loopback;
    for (const ifaddrs *it = list; it != nullptr; it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_INET)
            continue;
        const in_addr address = reinterpret_cast<const sockaddr_in *>(it->ifa_addr)->sin_addr;
        char text[INET_ADDRSTRLEN] = {};
        if (inet_ntop(AF_INET, &address, text, sizeof text) == nullptr)
            continue;
        if (ntohl(address.s_addr) >> 24 != 127)
            return QString::fromLatin1(text);
        if (loopback.isEmpty())
            loopback = QString::fromLatin1(text);
    }
    return loopback;
}

} // namespace

TLogger::TLogger()
{
    RegisterOutputHandlerClass<TLoggerConsoleOutputHandler>();
}

TLogger::~TLogger() = default;

void TLogger::RegisterOutputHandler(TLoggerBaseOutputHandler &handler)
{
    FHandlers.push_back(&handler);
}

void TLogger::UnregisterOutputHandler(TLoggerBaseOutputHandler &handler)
{
    FHandlers.erase(std::remove(FHandlers.begin(), FHandlers.end(), &handler), FHandlers.end());
}

void TLogger::BindOnOutput(TOutputNotification notification, const void *owner)
{
    FOnOutput = std::move(notification);
    FOnOutputOwner = FOnOutput ? owner : nullptr;
}

void TLogger::UnbindOnOutput(const void *owner)
{
    if (FOnOutputOwner != owner)
        return;
    FOnOutput = nullptr;
    FOnOutputOwner = nullptr;
}

void TLogger::Clear()
{
    FEntryCounter = 0;
    for (TLoggerBaseOutputHandler *handler : FHandlers)
        handler->Clear();
    for (const auto &handler : FManagedHandlers)
        handler->Clear();
}

void TLogger::Info(const QVariant &value)
{
    Produce(TLoggerLogLevel::Info, value, QString());
}

void TLogger::LogSystemInformation(const QString &format)
{
    Produce(TLoggerLogLevel::All, SystemDescription(),
            format.isEmpty() ? QStringLiteral("{%s}") : format);
}

QString TLogger::SystemDescription()
{
    QString text = QSysInfo::prettyProductName();
    utsname names{};
    if (uname(&names) == 0)
        text +=
            QStringLiteral(", %1 %2 %3")
                .arg(QString::fromLocal8Bit(names.sysname), QString::fromLocal8Bit(names.release),
                     QString::fromLocal8Bit(names.version));
    return text;
}

void TLogger::Produce(TLoggerLogLevel level, const QVariant &value, const QString &format)
{
    if (!Active || !LevelFilter.test(static_cast<std::size_t>(level)))
        return;

    const bool formatBased = !format.isEmpty();
    TLoggerOutputInformation entry;
    entry.Values = {value};
    if (!formatBased)
        entry.ValueNames = {QString()};
    entry.LogLevel = level;
    entry.Indent = Indent;
    entry.TimeStamp = QDateTime::currentDateTime();
    entry.ProcessID = static_cast<std::uint32_t>(getpid());
    entry.ThreadID = static_cast<std::uint32_t>(gettid());
    entry.MemoryUsage = memoryInUse();
    entry.Host = firstIPv4Address();
    entry.Format = format;
    entry.Outputs = Outputs;
    entry.ID = QString::number(FEntryCounter.load());

    const TLoggerOutputFormats &f = OutputFormats;
    if (Outputs & loTimeStamp)
        entry.TimeStampOutput = fill(f.TimeStampFormat, "{%dt}", LogDateTimeText(entry.TimeStamp));
    if (Outputs & loProcessID)
        entry.ProcessIDOutput = fill(f.ProcessIDFormat, "{%s}", QString::number(entry.ProcessID));
    if (Outputs & loThreadID)
        entry.ThreadIDOutput = fill(f.ThreadIDFormat, "{%s}", QString::number(entry.ThreadID));
    if (Outputs & loMemoryUsage)
        entry.MemoryUsageOutput =
            fill(f.MemoryUsageFormat, "{%bt}", QString::number(entry.MemoryUsage));
    if ((Outputs & loLogLevel) && level != TLoggerLogLevel::All)
        entry.LogLevelOutput = fill(f.LogLevelFormat, "{%s}", LoggerLogLevelName(level));
    const QString name = entry.ValueNames.value(0);
    if ((Outputs & loName) && !name.isEmpty())
        entry.NameOutput = fill(f.NameFormat, "{%s}", name);
    if (Outputs & loValue) {
        const QString text = value.toString();
        if (formatBased)
            entry.ValueOutput = fill(f.ValueFormat, "{%s}", fill(format, "{%s}", text));
        else if (!text.isEmpty())
            entry.ValueOutput = fill(f.ValueFormat, "{%s}", text);
    }
    if (Outputs & loType)
        entry.TypeOutput = fill(f.TypeFormat, "{%s}", valueTypeName(value));

    for (TLoggerBaseOutputHandler *handler : FHandlers)
        handler->Output(entry);
    for (const auto &handler : FManagedHandlers)
        handler->Output(entry);
    if (FOnOutput)
        FOnOutput(*this, entry);
    ++FEntryCounter;
}

TLogger &Logger()
{
    static TLogger logger;
    return logger;
}
