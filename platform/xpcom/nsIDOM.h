// nsIDOM.h - the document object model as the engine reads it.
//
// Contents: nsIDOMNode, nsIDOMNodeList, nsIDOMNamedNodeMap, nsIDOMElement,
// nsIDOMAttr, nsIDOMDocument.
//
// Getters that find nothing (no first child, no next sibling, an index past
// the end) return NS_OK with a null result. A null out pointer gives
// NS_ERROR_NULL_POINTER. Names of elements are reported in upper case for
// HTML documents ("BODY", "OBJECT"); attribute names as written.
#pragma once

#include "nsISupports.h"
#include "nsString.h"

class nsIDOMNodeList;
class nsIDOMNamedNodeMap;
class nsIDOMDocument;
class nsIDOMElement;

class nsIDOMNode : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0xA053DEF4, 0xC38C, 0x4B42, {0x9E, 0x1A, 0xF0, 0x81, 0x24, 0x85, 0x96, 0x31}})

  enum : PRUint16 {
    ELEMENT_NODE = 1,
    ATTRIBUTE_NODE = 2,
    TEXT_NODE = 3,
    CDATA_SECTION_NODE = 4,
    COMMENT_NODE = 8,
    DOCUMENT_NODE = 9,
    DOCUMENT_TYPE_NODE = 10,
  };

  NS_IMETHOD GetNodeName(nsAString& name) = 0;
  NS_IMETHOD GetNodeValue(nsAString& value) = 0;
  NS_IMETHOD GetNodeType(PRUint16* type) = 0;
  NS_IMETHOD GetParentNode(nsIDOMNode** result) = 0;
  NS_IMETHOD GetChildNodes(nsIDOMNodeList** result) = 0;
  NS_IMETHOD GetFirstChild(nsIDOMNode** result) = 0;
  NS_IMETHOD GetLastChild(nsIDOMNode** result) = 0;
  NS_IMETHOD GetPreviousSibling(nsIDOMNode** result) = 0;
  NS_IMETHOD GetNextSibling(nsIDOMNode** result) = 0;
  // Null for nodes other than elements.
  NS_IMETHOD GetAttributes(nsIDOMNamedNodeMap** result) = 0;
  NS_IMETHOD GetOwnerDocument(nsIDOMDocument** result) = 0;
  NS_IMETHOD HasChildNodes(PRBool* result) = 0;
};

class nsIDOMNodeList : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0xC601575E, 0x09D1, 0x498A, {0x80, 0xFD, 0xC9, 0x16, 0xA2, 0xAD, 0xF4, 0xDC}})

  NS_IMETHOD Item(PRUint32 index, nsIDOMNode** result) = 0;
  NS_IMETHOD GetLength(PRUint32* length) = 0;
};

class nsIDOMNamedNodeMap : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x340422CD, 0x9093, 0x42C0, {0x8F, 0xED, 0xC4, 0xC0, 0x4F, 0x75, 0x22, 0x63}})

  // Names compared without ASCII case in HTML documents.
  NS_IMETHOD GetNamedItem(const nsAString& name, nsIDOMNode** result) = 0;
  NS_IMETHOD Item(PRUint32 index, nsIDOMNode** result) = 0;
  NS_IMETHOD GetLength(PRUint32* length) = 0;
};

class nsIDOMElement : public nsIDOMNode {
 public:
  NS_DECLARE_STATIC_IID(
      {0xA931DCCC, 0x51DA, 0x4765, {0xBD, 0x8C, 0xC1, 0x58, 0xF9, 0xF6, 0xC8, 0x42}})

  NS_IMETHOD GetTagName(nsAString& name) = 0;
  // The empty string when the attribute is absent.
  NS_IMETHOD GetAttribute(const nsAString& name, nsAString& value) = 0;
  NS_IMETHOD HasAttribute(const nsAString& name, PRBool* result) = 0;
  // Descendants (not the element itself) with that name, in document order;
  // "*" matches every element.
  NS_IMETHOD GetElementsByTagName(const nsAString& name, nsIDOMNodeList** result) = 0;
};

class nsIDOMAttr : public nsIDOMNode {
 public:
  NS_DECLARE_STATIC_IID(
      {0x389439E0, 0xA7CF, 0x4096, {0xAA, 0xE0, 0x1E, 0x04, 0x62, 0x22, 0x64, 0xD2}})

  NS_IMETHOD GetName(nsAString& name) = 0;
  // Entities already resolved; an attribute written without a value gives "".
  NS_IMETHOD GetValue(nsAString& value) = 0;
  NS_IMETHOD GetSpecified(PRBool* result) = 0;
  NS_IMETHOD GetOwnerElement(nsIDOMElement** result) = 0;
};

class nsIDOMDocument : public nsIDOMNode {
 public:
  NS_DECLARE_STATIC_IID(
      {0x08F1B478, 0xCAD6, 0x4BD7, {0x9C, 0xC1, 0x26, 0x9D, 0xD8, 0x15, 0x0B, 0x9A}})

  NS_IMETHOD GetDocumentElement(nsIDOMElement** result) = 0;
  NS_IMETHOD GetElementsByTagName(const nsAString& name, nsIDOMNodeList** result) = 0;
};
