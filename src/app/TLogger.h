// The process-wide diagnostic logger: produces entries and hands them to output handlers.
#pragma once

#include "app/TLoggerBaseOutputHandler.h"
#include "app/TLoggerLogLevel.h"
#include "app/TLoggerOutputInformation.h"
#include "app/TLoggerOutputs.h"

#include <QVariant>

#include <atomic>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TLogger
{
public:
    using TOutputNotification = std::function<void(TLogger &, const TLoggerOutputInformation &)>;

    // Active, every level, the default outputs and formats, and one console handler.
    TLogger();
    TLogger(const TLogger &) = delete;
    TLogger &operator=(const TLogger &) = delete;
    ~TLogger();

    // Entries are produced only while Active and their level is in LevelFilter.
    bool Active = true;
    TLoggerLogLevels LevelFilter = TLoggerLogLevels().set();
    TLoggerOutputs Outputs = DefaultLoggerOutputs;
    TLoggerOutputFormats OutputFormats;
    int Indent = 0;

    // Adds a handler the caller owns and keeps alive until it is unregistered.
    void RegisterOutputHandler(TLoggerBaseOutputHandler &handler);
    // Removes a caller-owned handler; nothing when it is not registered.
    void UnregisterOutputHandler(TLoggerBaseOutputHandler &handler);

    // Creates a handler owned by the logger, appends it and returns it.
    template <class THandler, class... TArgs> THandler &RegisterOutputHandlerClass(TArgs &&...args)
    {
        auto handler = std::make_unique<THandler>(std::forward<TArgs>(args)...);
        THandler &result = *handler;
        FManagedHandlers.push_back(std::move(handler));
        return result;
    }

    // The first logger-owned handler of the class, or nullptr.
    template <class THandler> THandler *FindOutputHandlerClass() const
    {
        for (const auto &handler : FManagedHandlers)
            if (auto *found = dynamic_cast<THandler *>(handler.get()))
                return found;
        return nullptr;
    }

    // Binds the notification called after the handlers for every entry; owner identifies
    // the binding so that UnbindOnOutput(owner) leaves a later binding of someone else alone.
    void BindOnOutput(TOutputNotification notification, const void *owner);
    void UnbindOnOutput(const void *owner);

    // Sets the entry counter to 0 and clears every handler.
    void Clear();

    // An Info entry for the value; nothing when inactive or filtered out.
    void Info(const QVariant &value);
    // An All entry whose value is the operating system's description; an empty format
    // stands for "{%s}"; nothing when inactive or filtered out.
    void LogSystemInformation(const QString &format = QString());

    // The operating system's name, version and kernel build as the platform reports them.
    static QString SystemDescription();

    // Number of entries produced since construction or the last Clear.
    int EntryCount() const { return FEntryCounter; }

private:
    void Produce(TLoggerLogLevel level, const QVariant &value, const QString &format);

    std::vector<TLoggerBaseOutputHandler *> FHandlers;
    std::vector<std::unique_ptr<TLoggerBaseOutputHandler>> FManagedHandlers;
    TOutputNotification FOnOutput;
    const void *FOnOutputOwner = nullptr;
    std::atomic<int> FEntryCounter{0};
};

// The one logger of the process, created at the first call and destroyed at program end.
TLogger &Logger();
