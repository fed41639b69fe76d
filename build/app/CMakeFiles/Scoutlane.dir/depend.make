# Empty dependencies file for Scoutlane.
# This may be replaced when dependencies are built.
