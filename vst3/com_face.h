// How our objects offer VST3 interfaces, on the plug-in's side and on our host's. An interface
// pointer is the address of a word that holds the address of the interface's table of functions,
// each taking that interface pointer first. An object keeps one Face per interface it offers: the
// table and a pointer back to the object, so that every interface pointer leads to the same owner.
// Entry<&Owner::method>::call is the table entry that forwards to a member function, inside a
// Guard constructed for the length of the call.
#pragma once

#include "travesty/base.h"

template <class Owner>
struct Face {
  const void* table;
  Owner* owner;
};

struct NoGuard {};

template <auto method, class Guard = NoGuard>
struct Entry;

template <class Owner, class Result, class... Arguments, Result (Owner::*method)(Arguments...),
          class Guard>
struct Entry<method, Guard> {
  static Result V3_API call(void* self, Arguments... arguments) {
    [[maybe_unused]] const Guard guard;
    return (static_cast<Face<Owner>*>(self)->owner->*method)(arguments...);
  }
};

// The three FUnknown entries of an owner with queryInterface, addRef and release.
template <class Owner>
constexpr v3_funknown unknownEntries() {
  return {&Entry<&Owner::queryInterface>::call, &Entry<&Owner::addRef>::call,
          &Entry<&Owner::release>::call};
}

// A face as the interface pointer travesty types it: Interface** for any Interface.
template <class Interface, class Owner>
Interface** interfaceOf(Face<Owner>& face) {
  return reinterpret_cast<Interface**>(&face);
}

// The table behind an interface pointer, as the Table type lays it out (a travesty "_cpp" struct,
// or one from interface_tables.h).
template <class Table, class Interface>
const Table& tableOf(Interface** object) {
  return *reinterpret_cast<const Table*>(*object);
}

template <class Interface>
uint32_t addRefOf(Interface** object) {
  return tableOf<v3_funknown>(object).ref(object);
}

template <class Interface>
uint32_t releaseOf(Interface** object) {
  return tableOf<v3_funknown>(object).unref(object);
}

// queryInterface of an object that offers one interface besides FUnknown: both are `face`.
template <class Owner>
v3_result answerQuery(Owner& owner, const uint8_t* iid, const v3_tuid own, void* face, void** out) {
  if (!out) return V3_INVALID_ARG;
  *out = nullptr;
  if (!iid || !(v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, own)))
    return V3_NO_INTERFACE;
  owner.addRef();
  *out = face;
  return V3_OK;
}

template <class Interface, class Wanted>
bool queryOf(Interface** object, const v3_tuid iid, Wanted*** wanted) {
  *wanted = nullptr;
  return tableOf<v3_funknown>(object).query_interface(object, iid,
                                                      reinterpret_cast<void**>(wanted)) == V3_OK &&
         *wanted;
}
