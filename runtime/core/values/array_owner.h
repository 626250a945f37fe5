// An array local of compiled code belongs to an object of the private class
// "Sys$ArrayOwner": compiled code stores the array and the kind of its
// elements into the owner's fields, and releasing the owner, in the
// function's epilogue or by the unwinder when an exception passes the
// function, disposes the array exactly once.
#pragma once

#include <cstdint>

#include "objects/objects.h"

enum ArrayOwnerElements : std::int32_t { kOwnedPlain = 0, kOwnedStrings = 1, kOwnedObjects = 2, kOwnedBooleans = 3 };

struct ArrayOwner {
    RuntimeObject header;
    void* array;  // a RuntimeArray, or a BoolArray handle; nil until created
    std::int32_t elements;
};
static_assert(sizeof(ArrayOwner) == 32, "compiled code writes the fields at 24 and 28");

// Gives the class its destructor; called at start-up before any owner exists.
void array_owner_class_describe();
