#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// The program's own connection to the X server, for what Qt does not read.
namespace Xcb {

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

// A reply (or error) xcb allocated, freed with it.
template <class Reply>
ReplyPtr<Reply> owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

// Null off X11.
xcb_connection_t* connection();

}  // namespace Xcb
