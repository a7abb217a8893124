#include "support/WindowHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <algorithm>

namespace calvetta::test {

WindowHarness::WindowHarness(bool debugSwitch) {
    if (debugSwitch) {
        QFile f(folder.path() + QStringLiteral("/Debug.txt"));
        f.open(QIODevice::WriteOnly);
    }
}

PrivateDesign& WindowHarness::load() {
    WindowServices s;
    s.port = &port;
    s.dialogs = &dialogs;
    s.pause = [this](int ms) { pauses.push_back(ms); };
    s.programFolder = folder.path();
    window = std::make_unique<PrivateDesign>(std::move(s));
    window->Form_Load();
    return *window;
}

void WindowHarness::connectLink() {
    port.setPortOpen(true);
    window->link().Connected = 1;
}

void WindowHarness::send(std::initializer_list<std::uint8_t> payload) {
    auto& buf = window->SendBuf();
    buf[0] = static_cast<std::uint8_t>(payload.size());
    std::size_t i = 1;
    for (auto b : payload)
        buf[i++] = b;
    window->SendPacket();
}

bool WindowHarness::putFile(const QString& relativePath, const QByteArray& bytes) {
    const QString path = folder.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

std::vector<std::vector<std::uint8_t>> WindowHarness::payloads() const {
    std::vector<std::vector<std::uint8_t>> out;
    for (const QByteArray& f : port.frames) {
        if (f.size() < 6) continue;
        const auto n = static_cast<std::uint8_t>(f[3]);
        std::vector<std::uint8_t> p;
        for (int i = 0; i < n && 4 + i < f.size(); ++i)
            p.push_back(static_cast<std::uint8_t>(f[4 + i]));
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<std::uint8_t> WindowHarness::lastPayload() const {
    const auto all = payloads();
    return all.empty() ? std::vector<std::uint8_t>{} : all.back();
}

void WindowHarness::applyReply(std::initializer_list<std::uint8_t> payload) {
    RxPayloadBytes bytes{};
    std::size_t i = 0;
    for (auto b : payload)
        bytes[i++] = b;
    window->link().SendEnabled = false;
    window->ApplyReply(bytes);
    window->link().SendEnabled = true;
}

int Lit(const ControlArray<CommandButton>& buttons, int first, int last) {
    int lit = -1;
    for (int i = first; i <= last; ++i) {
        if (buttons(i) != nullptr && buttons(i)->BackColor() == vbRed) lit = lit == -1 ? i : -2;
    }
    return lit;
}

bool Shows(const ImageControl* image, const ImageControl* source) {
    return image->Picture().toImage() == source->Picture().toImage();
}

QStringList LayoutFaults(const QWidget* parent, std::initializer_list<const QWidget*> apart) {
    const auto name = [](const QWidget* c) {
        return QString::fromLatin1(c->metaObject()->className()) + " \"" +
               c->property("text").toString() + '"';
    };
    QStringList faults;
    std::vector<const QWidget*> placed;
    for (const QObject* o : parent->children()) {
        const auto* c = qobject_cast<const QWidget*>(o);
        if (c == nullptr || c->isHidden() || c->metaObject() == &QFrame::staticMetaObject ||
            std::find(apart.begin(), apart.end(), c) != apart.end())
            continue;
        if (!parent->rect().contains(c->geometry())) faults << name(c) + " outside";
        for (const QWidget* other : placed) {
            if (other->geometry().intersects(c->geometry()))
                faults << name(c) + " over " + name(other);
        }
        placed.push_back(c);
        if (qobject_cast<const QGroupBox*>(c) != nullptr) faults << LayoutFaults(c);
    }
    return faults;
}

}  // namespace calvetta::test
