#pragma once

#include <QtGlobal>
#include <chrono>

namespace qb {

// What the owner of the X11 clipboard says of the text it offers, asked on a connection of our
// own: Qt's clipboard reads the whole selection into memory before anyone can look at its size.
struct ClipboardOffer {
    enum class Answer {
        Size,     // `bytes` is the text's length, or at least that when above the limit asked
        NoText,   // no owner, or none of the text targets; Qt's reading finds what there is
        NoAnswer, // the owner did not answer in time
    };
    Answer answer = Answer::NoText;
    qsizetype bytes = 0;
};

// Asks the owner of the display's CLIPBOARD for the size of its text, waiting at most `wait` in
// all. The text itself never reaches this process: a direct answer is measured where the X
// server holds it, an incremental one counted chunk by chunk until it ends or exceeds `byteLimit`.
ClipboardOffer AskX11ClipboardOffer(qsizetype byteLimit, std::chrono::milliseconds wait);

} // namespace qb
