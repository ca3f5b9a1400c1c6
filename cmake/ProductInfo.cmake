# The product's version (from project()) and desktop id, handed to the code
# through one generated header: #include "ProductInfo.h".
set(TRELLICA_DESKTOP_ID "example.trellica.Trellica")
configure_file(${CMAKE_CURRENT_LIST_DIR}/ProductInfo.h.in
               ${CMAKE_CURRENT_BINARY_DIR}/generated/ProductInfo.h @ONLY)
include_directories(${CMAKE_CURRENT_BINARY_DIR}/generated)
