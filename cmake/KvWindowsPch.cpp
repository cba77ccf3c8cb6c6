// The precompiled header of the Windows builds is made with this empty file.
