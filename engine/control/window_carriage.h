// Packing control messages into the two parameters of a posted message and
// back, with heap copies of strings and data travelling with the post.
#pragma once

#include "platform/messaging/message_queue.h"
#include "zelkor.h"

namespace zk::control {

// Size of a channel slot's buffer that received strings and data land in.
constexpr size_t kSlotBufferSize = 4096;

// Unpacks into message, copying strings and data into slot_buffer and
// freeing the heap copies.
void unpack_message(ZK_Message& message, const platform::PostedMessage& posted, char* slot_buffer);

// Frees the heap copies of a posted message that will never be unpacked.
void discard_posted(const platform::PostedMessage& posted);

} // namespace zk::control
