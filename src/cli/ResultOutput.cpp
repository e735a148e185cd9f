#include "cli/ResultOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "escpos/HexBytes.h"

namespace quillora::cli {
namespace {

QString OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Ok:
            return QStringLiteral("ok");
        case Outcome::Failed:
            return QStringLiteral("failed");
        case Outcome::Refused:
            return QStringLiteral("refused");
    }
    return {};
}

QJsonObject StatusObject(const std::optional<StatusFields>& status) {
    QJsonObject object;
    if (!status) return object;
    const auto put = [&](const char* key, const std::optional<bool>& value) {
        if (value) object.insert(QLatin1String(key), *value);
    };
    put("paperNearEnd", status->paperNearEnd);
    put("coverOpen", status->coverOpen);
    put("paperOut", status->paperOut);
    put("paperPresent", status->paperPresent);
    if (status->unrecognised) object.insert(QStringLiteral("unrecognised"), true);
    return object;
}

QString ReplyHex(const std::string& reply) {
    return QString::fromStdString(
        escpos::HexBytes(reinterpret_cast<const std::uint8_t*>(reply.data()), reply.size()));
}

}  // namespace

QByteArray ResultLines(const std::vector<TestResult>& results) {
    QByteArray lines;
    for (const TestResult& result : results) {
        lines += QString::fromStdString(result.name + ": ").toUtf8() +
                 OutcomeName(result.outcome).toUtf8() + ": " + result.message.toUtf8() + '\n';
    }
    return lines;
}

QByteArray ResultJson(const PortName& port, const std::vector<TestResult>& results,
                      int exitStatus) {
    QJsonArray tests;
    for (const TestResult& result : results) {
        tests.append(QJsonObject{
            {QStringLiteral("name"), QString::fromStdString(result.name)},
            {QStringLiteral("outcome"), OutcomeName(result.outcome)},
            {QStringLiteral("bytesExpected"), qint64(result.tally.total)},
            {QStringLiteral("bytesSent"), qint64(result.tally.taken)},
            {QStringLiteral("reply"), ReplyHex(result.reply)},
            {QStringLiteral("status"), StatusObject(result.status)},
            {QStringLiteral("message"), result.message},
            {QStringLiteral("durationMs"), result.durationMs},
        });
    }
    const QJsonObject document{{QStringLiteral("port"), QString::fromStdString(port)},
                               {QStringLiteral("exitStatus"), exitStatus},
                               {QStringLiteral("tests"), tests}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

QByteArray PortLines(const std::vector<PortListing>& ports) {
    QByteArray lines;
    for (const PortListing& port : ports) {
        lines += QByteArray::fromStdString(port.entry + '\t' +
                                           (port.target.empty() ? "(no device)" : port.target)) +
                 '\n';
    }
    return lines;
}

QByteArray PortJson(const std::vector<PortListing>& ports) {
    QJsonArray array;
    for (const PortListing& port : ports) {
        array.append(QJsonObject{{QStringLiteral("name"), QString::fromStdString(port.entry)},
                                 {QStringLiteral("target"), QString::fromStdString(port.target)}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

}  // namespace quillora::cli
