// A growable array of plain data, with the framework's growth rule: the
// first append allocates one element; an append that finds the array full
// grows it by a eighth of its size, at least 4 and at most 1024 elements.
// Elements are moved by byte copy and have no constructors or destructors.
#pragma once

#include <cstdlib>
#include <cstring>
#include <type_traits>

template <typename T>
struct GrowableArray {
  static_assert(std::is_trivially_copyable<T>::value, "elements are moved by byte copy");

  T* data = nullptr;
  int size = 0;
  int capacity = 0;
  int growBy = 0;  // 0 selects the automatic rule

  // Adds a copy of the element at the end; false when storage cannot be had,
  // and then the array is as it was.
  bool Append(const T& element) {
    if (size == capacity && !Grow()) {
      return false;
    }
    T* slot = &data[size];
    std::memset(static_cast<void*>(slot), 0, sizeof(T));
    std::memcpy(static_cast<void*>(slot), &element, sizeof(T));
    ++size;
    return true;
  }

  void Free() {
    std::free(data);
    data = nullptr;
    size = 0;
    capacity = 0;
  }

 private:
  bool Grow() {
    int newCapacity;
    if (data == nullptr) {
      newCapacity = growBy > 0 ? growBy : 1;
    } else {
      int step = growBy;
      if (step == 0) {
        step = size / 8;
        step = step < 4 ? 4 : (step > 1024 ? 1024 : step);
      }
      newCapacity = capacity + step;
    }
    void* grown = std::malloc(sizeof(T) * static_cast<size_t>(newCapacity));
    if (grown == nullptr) {
      return false;
    }
    if (size > 0) {
      std::memcpy(grown, static_cast<const void*>(data), sizeof(T) * static_cast<size_t>(size));
    }
    std::free(data);
    data = static_cast<T*>(grown);
    capacity = newCapacity;
    return true;
  }
};
