#pragma once

#include "TrpFont.h"
#include "TrpPersistent.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TrpReport;

// A nested collection of an object as the template writer sees it ("Datasets", "Formats").
struct TrpCollectionView {
    QString name;
    std::vector<const TrpPersistent*> items;
};

// The base of every object of the report tree: name, font, parent, children and bounds. A parent owns
// its children; the report is the root and so owns the whole tree. Positions are report pixels.
class TrpComponent : public TrpPersistent {
public:
    TrpComponent();
    ~TrpComponent() override;
    TrpComponent(const TrpComponent&) = delete;
    TrpComponent& operator=(const TrpComponent&) = delete;

    // The class name, as element names of template files spell it.
    virtual const char* ClassName() const = 0;

    const QString& Name() const { return m_name; }
    // Renames the object. Throws TrpError("prDupl") when another object of the report has that name
    // (letter case ignored); the name stays as it was then.
    void SetName(const QString& name);

    TrpComponent* Parent() const { return m_parent; }
    // Moves the object, with its children, to the end of another parent's children within a tree. New
    // objects are attached with AddChild.
    virtual void SetParent(TrpComponent* parent);
    double Left() const { return m_left; }
    virtual void SetLeft(double value) { m_left = value; }
    double Top() const { return m_top; }
    virtual void SetTop(double value) { m_top = value; }
    double Width() const { return m_width; }
    virtual void SetWidth(double value) { m_width = value; }
    double Height() const { return m_height; }
    virtual void SetHeight(double value) { m_height = value; }
    const TrpFont& Font() const { return m_font; }
    // Gives the object a font of its own: ParentFont becomes false, children with ParentFont follow.
    virtual void SetFont(const TrpFont& font);
    bool ParentFont() const { return m_parentFont; }
    // True copies the parent's font at once.
    virtual void SetParentFont(bool value);
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool value) { m_visible = value; }

    // Destroys every child.
    virtual void Clear();
    // The first object below this one (depth first, each object before its children) whose name equals
    // name, letter case ignored in the basic Latin letters; nullptr when there is none or name is empty.
    virtual TrpComponent* FindObject(const QString& name) const;

    // Appends a new child and returns it; the object takes over the parent's font when ParentFont is true.
    TrpComponent* AddChild(std::unique_ptr<TrpComponent> child);
    // Inserts a new child at a position among the children (appends when index is past the end).
    TrpComponent* InsertChild(size_t index, std::unique_ptr<TrpComponent> child);
    template <class T> T* Create() { return static_cast<T*>(AddChild(std::make_unique<T>())); }
    // Detaches a child and hands it to the caller.
    std::unique_ptr<TrpComponent> TakeChild(TrpComponent* child);
    const std::vector<std::unique_ptr<TrpComponent>>& Objects() const { return m_children; }
    // Every object below this one, depth first, each before its children.
    void ForEachObject(const std::function<void(TrpComponent&)>& visit) const;

    // The report the object belongs to; nullptr while it is not in a report's tree.
    TrpReport* Report() const { return m_report; }

    // Nested collections of the object, for the template writer and reader. addCollectionItem gives the new
    // item, or nullptr when the collection is known but not kept; acceptsCollection tells the reader that
    // an element of that name is a collection of this object rather than a child object.
    virtual std::vector<TrpCollectionView> collections() const { return {}; }
    virtual bool acceptsCollection(const QString& name) const;
    virtual TrpPersistent* addCollectionItem(const QString& name);

    // Told once the whole template has been read and its references resolved.
    virtual void Loaded() {}

    const TrpPropertyList& properties() const override;

protected:
    // Property table entries shared by the subclasses.
    static TrpProperty boundsProperty(const char* name);
    static TrpProperty fontProperty();
    static TrpProperty parentFontProperty();
    static TrpProperty visibleProperty();

    // Called when a part of the font was set through a property path: the font becomes the object's own.
    void fontPartChanged();
    TrpFont* fontForEditing() { return &m_font; }
    // The report sets itself as the root.
    void setReportOfTree(TrpReport* report);

private:
    void inheritFont(const TrpFont& font);

    QString m_name;
    TrpComponent* m_parent = nullptr;
    TrpReport* m_report = nullptr;
    std::vector<std::unique_ptr<TrpComponent>> m_children;
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    TrpFont m_font;
    bool m_parentFont = true;
    bool m_visible = true;
};
