#pragma once

#include "platform/messages.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>

namespace quelmaro {

// What a run sent and what it could not, for the scheduler that started it: the exit code and the summary
// line an unattended run ends with.
class RunReport {
public:
    enum class Sent { Factura, Recibo, Traslado, Egreso, Cliente, PendingPosting };

    void sent(Sent kind) { ++counts_.at(std::size_t(kind)); }
    int count(Sent kind) const { return counts_.at(std::size_t(kind)); }

    // Something went wrong and the operator was told: an error shown, a document left unposted.
    void problem() { ++problems_; }
    int problems() const { return problems_; }

    // A piece of work ("punto 3 2024/03/02", "clientes 2024/03/02") did not get through.
    void failed(const QString& work);
    // The run stopped there and did nothing after it.
    void interrupted(const QString& work);
    bool isInterrupted() const { return !interruptedAt_.isEmpty(); }

    // The run cannot be done as asked, and trying again will not help: its arguments name work that does not
    // exist (a branch the origin does not know, say), or the central company lacks what it needs.
    void refuse() { refused_ = true; }

    // True when everything asked for was sent and posted and nobody was told of a problem.
    bool succeeded() const { return problems_ == 0 && failed_.isEmpty() && interruptedAt_.isEmpty(); }
    // For the scheduler: 0 on success, 2 for a run refused, 1 for any other failure.
    int exitCode() const { return refused_ ? 2 : succeeded() ? 0 : 1; }
    // One line: what was sent, kind by kind, then what failed or "sin fallas".
    QString summary() const;

    // Counts every error shown while it lasts as a problem of `report`; the messages still reach the layer
    // that was in use.
    class ErrorWatch {
    public:
        explicit ErrorWatch(RunReport& report);
        ~ErrorWatch();
        ErrorWatch(const ErrorWatch&) = delete;
        ErrorWatch& operator=(const ErrorWatch&) = delete;

    private:
        class Counting;
        std::unique_ptr<Counting> counting_;
        std::unique_ptr<platform::MessagesOverride> override_;
    };

private:
    std::array<int, 6> counts_{};
    int problems_ = 0;
    QStringList failed_;
    QString interruptedAt_;
    bool refused_ = false;
};

} // namespace quelmaro
