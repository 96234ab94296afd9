#include "X11ClipboardOffer.h"

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <poll.h>
#include <string_view>

namespace qb {
namespace {

using Clock = std::chrono::steady_clock;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

struct Disconnect {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

// The targets Qt reads text and HTML from, in its order of preference.
constexpr std::array<std::string_view, 5> kTextTargets = {"UTF8_STRING", "text/plain;charset=utf-8",
                                                          "text/plain", "STRING", "text/html"};

struct Atoms {
    xcb_atom_t clipboard = XCB_NONE;
    xcb_atom_t incr = XCB_NONE;
    xcb_atom_t property = XCB_NONE;
    std::array<xcb_atom_t, kTextTargets.size()> targets{};
};

// All interned in one round trip.
Atoms InternAtoms(xcb_connection_t* c) {
    const auto ask = [c](std::string_view name) {
        return xcb_intern_atom(c, 0, uint16_t(name.size()), name.data());
    };
    const auto take = [c](xcb_intern_atom_cookie_t cookie) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_NONE);
    };
    const auto clipboard = ask("CLIPBOARD");
    const auto incr = ask("INCR");
    const auto property = ask("QB_CLIPBOARD_OFFER");
    std::array<xcb_intern_atom_cookie_t, kTextTargets.size()> targets{};
    for (std::size_t i = 0; i < targets.size(); ++i) {
        targets[i] = ask(kTextTargets[i]);
    }
    Atoms atoms{.clipboard = take(clipboard), .incr = take(incr), .property = take(property)};
    for (std::size_t i = 0; i < targets.size(); ++i) {
        atoms.targets[i] = take(targets[i]);
    }
    return atoms;
}

// The receiving window and its property, with the time left for the owner's answers.
struct Exchange {
    xcb_connection_t* c;
    xcb_window_t window;
    const Atoms& atoms;
    Clock::time_point deadline;
};

// The first event that `wanted` accepts; nullptr when none came in time.
Reply<xcb_generic_event_t> WaitFor(const Exchange& x,
                                   const std::function<bool(const xcb_generic_event_t&)>& wanted) {
    xcb_flush(x.c);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.c)) {
            Reply<xcb_generic_event_t> owned(event);
            if (wanted(*event)) {
                return owned;
            }
        }
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(x.deadline - Clock::now()).count();
        if (xcb_connection_has_error(x.c) != 0 || left <= 0) {
            return nullptr;
        }
        pollfd socket{.fd = xcb_get_file_descriptor(x.c), .events = POLLIN, .revents = 0};
        poll(&socket, 1, int(left));
    }
}

bool IsType(const xcb_generic_event_t& e, uint8_t type) {
    return (e.response_type & 0x7f) == type;
}

// The property's type and length in bytes, its value left where the X server holds it.
std::pair<xcb_atom_t, qsizetype> PropertyHeader(const Exchange& x) {
    const Reply<xcb_get_property_reply_t> header(xcb_get_property_reply(
        x.c, xcb_get_property(x.c, 0, x.window, x.atoms.property, XCB_GET_PROPERTY_TYPE_ANY, 0, 0),
        nullptr));
    return header ? std::pair(header->type, qsizetype(header->bytes_after))
                  : std::pair(xcb_atom_t(XCB_NONE), qsizetype(0));
}

// An incremental transfer's length: each chunk is measured and deleted, which asks the owner
// for the next, until an empty one ends it or the sum exceeds the limit.
std::optional<qsizetype> IncrementalBytes(const Exchange& x, qsizetype byteLimit) {
    qsizetype total = 0;
    do {
        xcb_delete_property(x.c, x.window, x.atoms.property);
        const auto chunk = WaitFor(x, [&x](const xcb_generic_event_t& e) {
            const auto& p = reinterpret_cast<const xcb_property_notify_event_t&>(e);
            return IsType(e, XCB_PROPERTY_NOTIFY) && p.window == x.window &&
                   p.atom == x.atoms.property && p.state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!chunk) {
            return std::nullopt;
        }
        const qsizetype bytes = PropertyHeader(x).second;
        if (bytes == 0) {
            break;
        }
        total += bytes;
    } while (total <= byteLimit);
    return total;
}

} // namespace

ClipboardOffer AskX11ClipboardOffer(qsizetype byteLimit, std::chrono::milliseconds wait) {
    int screenNumber = 0;
    const Connection c(xcb_connect(nullptr, &screenNumber));
    if (xcb_connection_has_error(c.get()) != 0) {
        return {};
    }
    const Atoms atoms = InternAtoms(c.get());
    const Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        c.get(), xcb_get_selection_owner(c.get(), atoms.clipboard), nullptr));
    if (!owner || owner->owner == XCB_NONE) {
        return {};
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(c.get()));
    for (; screenNumber > 0 && screens.rem > 1; --screenNumber) {
        xcb_screen_next(&screens);
    }
    // An unmapped window to receive the answers; it goes, property and all, with the connection.
    const Exchange x{.c = c.get(),
                     .window = xcb_generate_id(c.get()),
                     .atoms = atoms,
                     .deadline = Clock::now() + wait};
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(x.c, XCB_COPY_FROM_PARENT, x.window, screens.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    for (const xcb_atom_t target : atoms.targets) {
        xcb_convert_selection(x.c, x.window, atoms.clipboard, target, atoms.property,
                              XCB_CURRENT_TIME);
        const auto answer = WaitFor(x, [&x](const xcb_generic_event_t& e) {
            return IsType(e, XCB_SELECTION_NOTIFY) &&
                   reinterpret_cast<const xcb_selection_notify_event_t&>(e).requestor == x.window;
        });
        if (!answer) {
            return {.answer = ClipboardOffer::Answer::NoAnswer};
        }
        if (reinterpret_cast<const xcb_selection_notify_event_t&>(*answer).property == XCB_NONE) {
            continue; // not offered as this target
        }
        const auto [type, bytes] = PropertyHeader(x);
        if (type != atoms.incr) {
            return {.answer = ClipboardOffer::Answer::Size, .bytes = bytes};
        }
        const auto counted = IncrementalBytes(x, byteLimit);
        return counted ? ClipboardOffer{.answer = ClipboardOffer::Answer::Size, .bytes = *counted}
                       : ClipboardOffer{.answer = ClipboardOffer::Answer::NoAnswer};
    }
    return {};
}

} // namespace qb
