#pragma once

#include <QMetaObject>
#include <QObject>

#include <functional>
#include <type_traits>
#include <utility>

// Connects a field's editingFinished to its window. A window that goes away
// while one of its fields holds the keyboard hides first, and the field,
// losing the keyboard, ends its edit: by then the window's own destructor
// has run and only its QWidget part is left. The slot is therefore delivered
// only while the receiver is still of the class it was when connected.
namespace EditingFinished {

// `slot` is a member function of Receiver or a callable taking nothing.
template <class Field, class Receiver, class Slot>
QMetaObject::Connection connect(Field* field, Receiver* receiver, Slot slot)
{
    // Asked through QObject, the one part that is whole until the end.
    QObject* const object = receiver;
    const QMetaObject* const connectedAs = object->metaObject();
    return QObject::connect(field, &Field::editingFinished, receiver,
                            [object, connectedAs, receiver, slot = std::move(slot)] {
                                if (!object->metaObject()->inherits(connectedAs))
                                    return;
                                if constexpr (std::is_member_function_pointer_v<Slot>)
                                    std::invoke(slot, receiver);
                                else
                                    std::invoke(slot);
                            });
}

}  // namespace EditingFinished
