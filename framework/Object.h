#ifndef ORBITANE_FRAMEWORK_OBJECT_H
#define ORBITANE_FRAMEWORK_OBJECT_H

#include <SDL.h>

#include <string>

// The picture every object shows until it is given one of its own.
extern const std::string NO_FILENAME;

// True when the file can be opened for reading; its contents are not read.
bool fileExists(char const* path);

// A picture on the screen, placed by its centre, with a nominal size for
// centring and hit tests, a visibility switch and an optional selected look.
// The object owns its image surface; copies never share one.
class Object {
public:
    // The height comes first, then the width.
    Object(int height, int width, bool selectable);
    Object(const Object& other);
    Object& operator=(const Object& other);

    // Drawing and the picture. A missing file leaves the image null.
    virtual void display(SDL_Surface* target, bool update);
    virtual void render();
    virtual void setImage(std::string path);

    // Selection switches to the "_selected" variant of the picture if it exists.
    virtual void select_this();
    virtual void deselect_this();

    // Defaults for objects that take input; the framework never calls them.
    virtual bool accepts_this_input(SDL_Event event) const;
    virtual void handle_input(SDL_Event event);

    virtual ~Object();

    void swapem(Object& other);

    // Placement by centre; sizes are height first, like the constructor.
    void moveTo(int x, int y);
    void moveBy(int dx, int dy);
    void resize(int height, int width);
    int getx() const { return rect.x; }
    int gety() const { return rect.y; }
    int getw() const { return rect.w; }
    int geth() const { return rect.h; }
    SDL_Rect getRect() const { return rect; }
    const std::string& getFilename() const { return filename; }
    SDL_Surface* getImage() const { return image; }

    // Visibility and selection state.
    void setVisibility(bool isVisible) { visible = isVisible; }
    void toggleVisibility() { visible = !visible; }
    bool isVisible() const { return visible; }
    bool isSelected() const { return selected; }
    bool isSelectable() const { return selectable; }
    // -1 flips the flag; any other value sets it to (value != 0).
    void toggle_selectability(int value);
    void select_this_toggle();

    // Hit tests against a centred rectangle and a point; borders are outside.
    bool is_on_this(SDL_Rect other) const;
    bool is_on_this(int px, int py) const;

protected:
    SDL_Rect rect;
    std::string filename;
    SDL_Surface* image;
    bool selectable;
    bool selected;
    bool visible;
};

#endif
