#include "gfx/Model.h"

#include <algorithm>

#include "gfx/GlContext.h"
#include "gfx/GlExtensions.h"
#include "gfx/ModelBatch.h"

Model::DrawingPath Model::drawingPath = Model::ARRAYS;

void Model::drawMeshTriangles(const Mesh& mesh, bool sendTextureCoords) const {
    // One batch per mesh: the same triangles in the same order, far fewer calls.
    glBegin(GL_TRIANGLES);
    for (int index : mesh.triangleIndices) {
        const Triangle& triangle = triangles[index];
        for (int corner = 0; corner < 3; ++corner) {
            if (sendTextureCoords)
                GlExtensions::glMultiTexCoord2fARB(GL_TEXTURE1_ARB, static_cast<float>(triangle.s[corner]),
                                                   static_cast<float>(triangle.t[corner]));
            const Vertex& vertex = vertices[triangle.vertexIndices[corner]];
            const Vector3& normal = triangle.normals[corner];
            if (vertex.bone < 0) {
                glNormal3d(normal.x, normal.y, normal.z);
                glVertex3d(vertex.position.x, vertex.position.y, vertex.position.z);
                continue;
            }
            // Rigid skinning: the vertex, kept in its joint's rest frame, follows the joint's pose;
            // the normal turns with it so the vertex program can light the moving part.
            const Joint& joint = joints[vertex.bone];
            Vector3 turned = joint.finalRotation * normal;
            Vector3 position = joint.finalRotation * vertex.position + joint.finalPosition;
            glNormal3d(turned.x, turned.y, turned.z);
            glVertex3d(position.x, position.y, position.z);
        }
    }
    glEnd();
}

bool Model::poseIsFixed() const {
    for (const Joint& joint : joints)
        if (!joint.rotationKeys.empty() || !joint.translationKeys.empty()) return false;
    return true;
}

std::vector<bool> Model::stillMeshes() const {
    // Parents come before their children, so one pass settles every joint.
    std::vector<bool> moves(joints.size(), false);
    for (std::size_t j = 0; j < joints.size(); ++j) {
        const Joint& joint = joints[j];
        bool parentMoves =
            joint.parent >= 0 && static_cast<std::size_t>(joint.parent) < j && moves[joint.parent];
        moves[j] = parentMoves || !joint.rotationKeys.empty() || !joint.translationKeys.empty();
    }
    std::vector<bool> still(meshes.size(), true);
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        for (int index : meshes[i].triangleIndices) {
            for (int vertexIndex : triangles[index].vertexIndices) {
                int bone = vertices[vertexIndex].bone;
                if (bone >= 0 && (static_cast<std::size_t>(bone) >= joints.size() || moves[bone]))
                    still[i] = false;
            }
        }
    }
    return still;
}

const CompiledGeometry* Model::compiledGeometry(const std::vector<bool>& textureCoords) {
    if (!GeometryCache::enabled || !GlContext::available() || geometry.nothingStill) return nullptr;
    if (geometry.owner != 0) {
        const CompiledGeometry* kept = GeometryCache::find(geometry.owner);
        if (kept && kept->meshCount == meshes.size() && kept->textureCoords == textureCoords) return kept;
    }
    geometry.drop();
    CompiledGeometry compiled;
    compiled.meshCount = meshes.size();
    compiled.still = stillMeshes();
    compiled.textureCoords = textureCoords;
    if (std::find(compiled.still.begin(), compiled.still.end(), true) == compiled.still.end()) {
        geometry.nothingStill = true;
        return nullptr;
    }
    compiled.base = glGenLists(compiled.listCount());
    if (compiled.base == 0) return nullptr;  // out of list names: draw as before
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        if (!compiled.still[i]) continue;
        glNewList(compiled.base + static_cast<GLuint>(i), GL_COMPILE);
        drawMeshTriangles(meshes[i], textureCoords[i]);
        glEndList();
        glNewList(compiled.base + static_cast<GLuint>(meshes.size() + i), GL_COMPILE);
        drawMeshTriangles(meshes[i], false);
        glEndList();
    }
    geometry.owner = GeometryCache::newOwner();
    GeometryCache::keep(geometry.owner, compiled);
    return GeometryCache::find(geometry.owner);
}

std::vector<bool> Model::textureCoordMeshes() const {
    std::vector<bool> textureCoords(meshes.size());
    bool sendTextureCoords = false;
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        const Mesh& mesh = meshes[i];
        if (mesh.material >= 0 && materials[mesh.material].texture != 0) sendTextureCoords = true;
        textureCoords[i] = sendTextureCoords;
    }
    return textureCoords;
}

void Model::draw() {
    if (vertices.empty() || triangles.empty() || meshes.empty()) return;
    // Without the extension entry points there is nothing to draw with.
    if (!GlExtensions::initialised) return;
    if (drawingPath == IMMEDIATE || !GlExtensions::glClientActiveTextureARB) {
        drawImmediate();
        return;
    }
    animate();
    const std::vector<bool> textureCoords = textureCoordMeshes();
    const CompiledGeometry* compiled = compiledGeometry(textureCoords);
    ModelBatch* shared = ModelBatch::active();
    if (shared && !outline) {
        drawFilled(*shared, textureCoords, compiled);
        return;
    }
    ModelBatch alone(false);
    drawFilled(alone, textureCoords, compiled);
    if (outline) {
        alone.endFilledPass();
        drawOutline(compiled);
    }
}

void Model::fillArrays(const CompiledGeometry* compiled) {
    arrayPositions.clear();
    arrayNormals.clear();
    arrayTextureCoords.clear();
    meshFirst.assign(meshes.size(), 0);
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        meshFirst[i] = static_cast<GLint>(arrayPositions.size() / 3);
        if (compiled && compiled->still[i]) continue;
        for (int index : meshes[i].triangleIndices) {
            const Triangle& triangle = triangles[index];
            for (int corner = 0; corner < 3; ++corner) {
                const Vertex& vertex = vertices[triangle.vertexIndices[corner]];
                Vector3 normal = triangle.normals[corner];
                Vector3 position = vertex.position;
                // The same rigid skinning as drawMeshTriangles, to the same floats OpenGL keeps.
                if (vertex.bone >= 0) {
                    const Joint& joint = joints[vertex.bone];
                    normal = joint.finalRotation * normal;
                    position = joint.finalRotation * vertex.position + joint.finalPosition;
                }
                arrayPositions.insert(arrayPositions.end(),
                                      {float(position.x), float(position.y), float(position.z)});
                arrayNormals.insert(arrayNormals.end(), {float(normal.x), float(normal.y), float(normal.z)});
                arrayTextureCoords.insert(arrayTextureCoords.end(),
                                          {float(triangle.s[corner]), float(triangle.t[corner])});
            }
        }
    }
}

void Model::drawFilled(ModelBatch& batch, const std::vector<bool>& textureCoords,
                       const CompiledGeometry* compiled) {
    batch.light(lightDirection);
    batch.shading(celShading);
    fillArrays(compiled);
    if (!arrayPositions.empty())
        batch.arrays(arrayPositions.data(), arrayNormals.data(), arrayTextureCoords.data());
    bool materialSeen = false;
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        const Mesh& mesh = meshes[i];
        if (mesh.material < 0) {
            // No material: white, with whatever texture the previous mesh left bound (the
            // caller's, for the first).
            batch.colour(1.0f, 1.0f, 1.0f);
            if (!materialSeen) batch.callersTexture();
        } else {
            materialSeen = true;
            const Material& material = materials[mesh.material];
            batch.colour(material.ambient[0], material.ambient[1], material.ambient[2]);
            batch.texture(material.texture);
        }
        if (compiled && compiled->still[i]) {
            glCallList(compiled->base + static_cast<GLuint>(i));
        } else {
            batch.textureCoordArray(textureCoords[i]);
            glDrawArrays(GL_TRIANGLES, meshFirst[i], static_cast<GLsizei>(3 * mesh.triangleIndices.size()));
        }
    }
}

namespace {

// The outline pass: the back faces' edges, thick and black, over the filled model.
void setOutlineState() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPolygonMode(GL_BACK, GL_LINE);
    glLineWidth(3.0f);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColor3f(0.0f, 0.0f, 0.0f);
}

}  // namespace

void Model::drawOutline(const CompiledGeometry* compiled) {
    setOutlineState();
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        if (compiled && compiled->still[i])
            glCallList(compiled->base + static_cast<GLuint>(meshes.size() + i));
        else
            glDrawArrays(GL_TRIANGLES, meshFirst[i],
                         static_cast<GLsizei>(3 * meshes[i].triangleIndices.size()));
    }
}

// The reference path: every vertex sent on its own, the whole state saved and restored.
void Model::drawImmediate() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_LIGHTING);

    GlExtensions::glProgramEnvParameter4fARB(GL_VERTEX_PROGRAM_ARB, 0, static_cast<float>(lightDirection.x),
                                             static_cast<float>(lightDirection.y),
                                             static_cast<float>(lightDirection.z), 0.0f);
    GlExtensions::glBindProgramARB(GL_VERTEX_PROGRAM_ARB, GlExtensions::vertexProgram);
    glEnable(GL_VERTEX_PROGRAM_ARB);

    if (celShading) {
        GlExtensions::glActiveTextureARB(GL_TEXTURE0_ARB);
        glBindTexture(GL_TEXTURE_1D, GlExtensions::shadingRamp);
        glEnable(GL_TEXTURE_1D);
    }

    animate();

    const std::vector<bool> textureCoords = textureCoordMeshes();
    const CompiledGeometry* compiled = compiledGeometry(textureCoords);

    for (std::size_t i = 0; i < meshes.size(); ++i) {
        const Mesh& mesh = meshes[i];
        if (mesh.material < 0) {
            // No material: white, with whatever texture the previous mesh left bound.
            glColor3f(1.0f, 1.0f, 1.0f);
        } else {
            const Material& material = materials[mesh.material];
            glColor3f(material.ambient[0], material.ambient[1], material.ambient[2]);
            if (material.texture == 0) {
                glDisable(GL_TEXTURE_2D);
            } else {
                GlExtensions::glActiveTextureARB(GL_TEXTURE1_ARB);
                glBindTexture(GL_TEXTURE_2D, material.texture);
                glEnable(GL_TEXTURE_2D);
            }
        }
        if (compiled && compiled->still[i])
            glCallList(compiled->base + static_cast<GLuint>(i));
        else
            drawMeshTriangles(mesh, textureCoords[i]);
    }

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_VERTEX_PROGRAM_ARB);
    GlExtensions::glActiveTextureARB(GL_TEXTURE0_ARB);

    if (outline) {
        setOutlineState();
        for (std::size_t i = 0; i < meshes.size(); ++i) {
            if (compiled && compiled->still[i])
                glCallList(compiled->base + static_cast<GLuint>(meshes.size() + i));
            else
                drawMeshTriangles(meshes[i], false);
            glDisable(GL_TEXTURE_1D);
        }
    }

    glPopAttrib();
}
