# The release zip as a user unpacks and runs it (the full build makes the zip: cmake/Package.cmake).
tandrel_e2e_test(e2e_release_zip test_release_zip.py)
