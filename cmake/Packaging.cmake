# Installation extras and the Debian package (CPack).
