# The product's version (from project()) and desktop id, handed to the code
# through one generated header: #include "ProductInfo.h".
# The version check compares the endpoint's number with this code: 1.1.0 -> 110.
math(EXPR TRELLICA_VERSION_CODE
     "${PROJECT_VERSION_MAJOR} * 100 + ${PROJECT_VERSION_MINOR} * 10 + ${PROJECT_VERSION_PATCH}")
set(TRELLICA_DESKTOP_ID "example.trellica.Trellica")
configure_file(${CMAKE_CURRENT_LIST_DIR}/ProductInfo.h.in
               ${CMAKE_CURRENT_BINARY_DIR}/generated/ProductInfo.h @ONLY)
include_directories(${CMAKE_CURRENT_BINARY_DIR}/generated)
