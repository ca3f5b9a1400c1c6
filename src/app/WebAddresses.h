#pragma once

// The maker's web addresses.
namespace WebAddresses {

// Answers an HTTP GET with the newest release's version number as plain digits.
inline constexpr char kVersionEndpoint[] = "http://trellica.example/version.txt";
// The product's page, offered when a newer version exists.
inline constexpr char kProductPage[] = "http://trellica.example/trellica/";
// The maker's home page, opened by the logo.
inline constexpr char kHomePage[] = "http://trellica.example/";

} // namespace WebAddresses
